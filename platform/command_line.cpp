#include "platform/command_line.h"

#include <cstdio>
#include <cstring>

#include "platform/window.h"

namespace {

constexpr const char* scale_option = "--scale";

// "1".."4" as a scale, 0 for anything else.
int scale_from(const char* text) {
    if (std::strlen(text) != 1 || text[0] < '1' || text[0] > '0' + largest_window_scale) return 0;
    return text[0] - '0';
}

CommandLine refused(const std::string& fault) { return {CommandLine::refuse, 0, fault}; }

}  // namespace

CommandLine read_command_line(int argc, const char* const* argv) {
    CommandLine command = {CommandLine::play, 0, ""};
    for (int i = 1; i < argc; i++) {
        const std::string arg = argv[i];
        if (arg == "--help") return {CommandLine::help, 0, ""};
        if (arg == "--version") return {CommandLine::version, 0, ""};
        const bool joined = arg.rfind(std::string(scale_option) + "=", 0) == 0;  // --scale=N
        if (arg != scale_option && !joined) return refused("unknown option '" + arg + "' (try cupclash --help)");
        if (!joined && i + 1 == argc) return refused("'--scale' needs a number: 1, 2, 3 or 4");
        const std::string value = joined ? arg.substr(std::strlen(scale_option) + 1) : argv[++i];
        command.scale = scale_from(value.c_str());
        if (command.scale == 0) return refused("'--scale' takes 1, 2, 3 or 4, not '" + value + "'");
    }
    return command;
}

int answer_command_line(const CommandLine& command) {
    switch (command.action) {
    case CommandLine::help:
        std::printf("usage: cupclash [--scale N] [--help] [--version]\n"
                    "--scale 1..4 enlarges the 256 x 384 window (by default as far as the desktop allows); "
                    "the keys are in man cupclash.\n");
        return 0;
    case CommandLine::version:
        std::printf("cupclash %s\n", CUPCLASH_VERSION);
        return 0;
    case CommandLine::refuse:
        std::fprintf(stderr, "cupclash: %s\n", command.fault.c_str());
        return 2;
    case CommandLine::play:
        break;
    }
    return 0;
}
