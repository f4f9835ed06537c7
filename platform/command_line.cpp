#include "platform/command_line.h"

#include <cstdio>
#include <cstring>

#include "platform/net.h"
#include "platform/window.h"

namespace {

constexpr const char* scale_option = "--scale";
constexpr const char* replay_option = "--replay";
constexpr const char* record_option = "--record";

// "1".."4" as a scale, 0 for anything else.
int scale_from(const char* text) {
    if (std::strlen(text) != 1 || text[0] < '1' || text[0] > '0' + largest_window_scale) return 0;
    return text[0] - '0';
}

CommandLine refused(const std::string& fault) { return {CommandLine::refuse, 0, fault, "", ""}; }

// Puts an option's value in its place in the command: "" or what is wrong with it.
std::string take_value(const std::string& option, const std::string& value, CommandLine* command) {
    if (option == scale_option) {
        command->scale = scale_from(value.c_str());
        return command->scale == 0 ? "'--scale' takes 1, 2, 3 or 4, not '" + value + "'" : "";
    }
    if (value.empty()) return "'" + option + "' needs a file";
    (option == replay_option ? command->replay_file : command->record_file) = value;
    return "";
}

// --host [PORT] (the port is a number, when one follows) and --join HOST[:PORT] from argv[*i] on.
std::string take_online(const std::string& arg, int argc, const char* const* argv, int* i, CommandLine* command) {
    command->port = default_port;
    if (arg == "--host") {
        command->online = CommandLine::host;
        if (*i + 1 < argc && argv[*i + 1][0] != '-') {
            std::string host;
            const std::string value = argv[++*i];
            if (value.find_first_not_of("0123456789") != std::string::npos || !split_address("x:" + value, &host, &command->port))
                return "'--host' takes a port from 1 to 65535, not '" + value + "'";
        }
        return "";
    }
    command->online = CommandLine::join;
    if (*i + 1 == argc) return "'--join' needs the host's address, as HOST or HOST:PORT";
    const std::string value = argv[++*i];
    if (!split_address(value, &command->join_host, &command->port))
        return "'--join' takes HOST or HOST:PORT, not '" + value + "'";
    return ipv6_address(command->join_host) ? ipv4_only : "";
}

}  // namespace

CommandLine read_command_line(int argc, const char* const* argv) {
    CommandLine command = {CommandLine::play, 0, "", "", ""};
    for (int i = 1; i < argc; i++) {
        const std::string arg = argv[i];
        if (arg == "--help") return {CommandLine::help, 0, "", "", ""};
        if (arg == "--version") return {CommandLine::version, 0, "", "", ""};
        if (arg == "--two-players") {
            command.two_players = true;
            continue;
        }
        if (arg == "--host" || arg == "--join") {
            const std::string fault = take_online(arg, argc, argv, &i, &command);
            if (!fault.empty()) return refused(fault);
            continue;
        }
        const std::string option = arg.substr(0, arg.find('='));
        const bool joined = option.size() < arg.size();  // --option=VALUE
        if (option != scale_option && option != replay_option && option != record_option)
            return refused("unknown option '" + arg + "' (try cupclash --help)");
        if (!joined && i + 1 == argc)
            return refused("'" + option + "' needs " + (option == scale_option ? "a number: 1, 2, 3 or 4" : "a file"));
        const std::string fault = take_value(option, joined ? arg.substr(option.size() + 1) : argv[++i], &command);
        if (!fault.empty()) return refused(fault);
    }
    if (command.online != CommandLine::offline && !command.replay_file.empty())
        return refused("'--replay' plays a replay back: it does not go with '--host' or '--join'");
    if (!command.replay_file.empty() && !command.record_file.empty())
        return refused("'--replay' and '--record' do not go together: a replay plays back what was recorded");
    return command;
}

int answer_command_line(const CommandLine& command) {
    switch (command.action) {
    case CommandLine::help:
        std::printf("usage: cupclash [--scale N] [--record FILE | --replay FILE] [--two-players] [--host [PORT] | --join HOST[:PORT]]"
                    " [--help] [--version]\n"
                    "--scale 1..4 enlarges the 256 x 384 window (by default as far as the desktop allows); "
                    "--record FILE writes each match there too; --replay FILE plays one back; "
                    "--two-players starts a match between two people at one keyboard; "
                    "--host waits for another machine to join a match (UDP port 7425 by default) and --join joins it; "
                    "the keys and where replays are kept are in man cupclash.\n");
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
