// What the game makes of its command line, and the window scale it picks for a desktop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/command_line.h"
#include "platform/window.h"

namespace {

CommandLine read(std::vector<const char*> args) {
    args.insert(args.begin(), "cupclash");
    return read_command_line(static_cast<int>(args.size()), args.data());
}

// What a command line asks for, in a few words: the action, then what differs from a plain start.
std::string summary(const CommandLine& c) {
    const char* actions[] = {"play", "help", "version", "refuse"};
    std::string s = actions[c.action];
    if (c.action == CommandLine::refuse) return s;
    if (c.scale != 0) s += " scale " + std::to_string(c.scale);
    if (!c.replay_file.empty()) s += " replay " + c.replay_file;
    if (!c.record_file.empty()) s += " record " + c.record_file;
    if (c.two_players) s += " two";
    if (c.online == CommandLine::host) s += " host " + std::to_string(c.port);
    if (c.online == CommandLine::join) s += " join " + c.join_host + " " + std::to_string(c.port);
    return s;
}

TEST(CommandLineTest, EveryArgumentIsReadOrRefusedInOneLineNamingIt) {
    const struct {
        std::vector<const char*> args;
        const char* read;   // the summary of what was read
        const char* named;  // what a refusal must quote
    } cases[] = {
        {{}, "play", ""},
        {{"--scale", "1"}, "play scale 1", ""},
        {{"--scale=3"}, "play scale 3", ""},
        {{"--scale", "2", "--scale", "4"}, "play scale 4", ""},
        {{"--help"}, "help", ""},
        {{"--scale", "2", "--version", "--bogus"}, "version", ""},
        {{"--scale", "9"}, "refuse", "'9'"},
        {{"--scale", "0"}, "refuse", "'0'"},
        {{"--scale", "22"}, "refuse", "'22'"},
        {{"--scale", "-1"}, "refuse", "'-1'"},
        {{"--scale="}, "refuse", "''"},
        {{"--scale"}, "refuse", "'--scale'"},
        {{"--bogus", "--help"}, "refuse", "'--bogus'"},
        {{"-h"}, "refuse", "'-h'"},
        {{"2"}, "refuse", "'2'"},
        {{"--replay", "a.replay"}, "play replay a.replay", ""},
        {{"--record=b.replay", "--scale", "2"}, "play scale 2 record b.replay", ""},
        {{"--record", "b", "--record", "c"}, "play record c", ""},
        {{"--replay"}, "refuse", "'--replay' needs a file"},
        {{"--record="}, "refuse", "'--record' needs a file"},
        {{"--replay", "a", "--record", "b"}, "refuse", "'--replay' and '--record'"},
        {{"--replays", "a"}, "refuse", "'--replays'"},
        {{"--two-players"}, "play two", ""},
        {{"--two-players", "--scale=2"}, "play scale 2 two", ""},
        {{"--host"}, "play host 7425", ""},
        {{"--host", "7500", "--scale", "2"}, "play scale 2 host 7500", ""},
        {{"--host", "--scale", "2"}, "play scale 2 host 7425", ""},
        {{"--join", "example.org"}, "play join example.org 7425", ""},
        {{"--join", "10.0.0.2:9000"}, "play join 10.0.0.2 9000", ""},
        {{"--join", "localhost:9001"}, "play join localhost 9001", ""},
        {{"--join", "[::1]:9001"}, "refuse", "IPv4 only"},  // Debian's ENet reaches no IPv6 address
        {{"--join", "[::1]"}, "refuse", "IPv4 only"},
        {{"--join", "::1"}, "refuse", "IPv4 only"},
        {{"--join", "fe80::1"}, "refuse", "IPv4 only"},
        {{"--host", "70000"}, "refuse", "'70000'"},
        {{"--host", "12ab"}, "refuse", "'12ab'"},
        {{"--join"}, "refuse", "'--join'"},
        {{"--join", "host:"}, "refuse", "'host:'"},
        {{"--join", "host:0"}, "refuse", "'host:0'"},
        {{"--join", ":7425"}, "refuse", "':7425'"},
        {{"--join", "[::1"}, "refuse", "'[::1'"},
        {{"--host", "--replay", "a.replay"}, "refuse", "'--replay'"},
    };
    for (const auto& c : cases) {
        std::string shown;
        for (const char* a : c.args) shown += std::string(" ") + a;
        const CommandLine command = read(c.args);
        EXPECT_EQ(summary(command), c.read) << shown << ": " << command.fault;
        EXPECT_NE(command.fault.find(c.named), std::string::npos) << shown << ": " << command.fault;
        EXPECT_EQ(command.fault.find('\n'), std::string::npos) << shown;
    }
}

TEST(CommandLineTest, TheWindowTakesTheLargestScaleThatFitsTheDesktop) {
    struct Case {
        int width, height, scale;
    };
    // 85 % of the height: 1080 leaves 918 (768 fits, 1152 does not); 1440 leaves 1224; 2160 leaves 1836.
    for (const Case c : {Case{1920, 1080, 2}, Case{2560, 1440, 3}, Case{3840, 2160, 4}, Case{7680, 4320, 4},
                         Case{1366, 768, 1}, Case{640, 480, 1}, Case{1280, 904, 2}, Case{1280, 903, 1},
                         Case{600, 2160, 2}, Case{300, 2160, 1}, Case{0, 0, 1}, Case{-1, -1, 1}})
        EXPECT_EQ(choose_window_scale(c.width, c.height), c.scale) << c.width << " x " << c.height;
    // A scale asked for is taken when it fits, else the largest that does; 0 asks for that one.
    struct Asked {
        int asked, width, height, scale;
    };
    for (const Asked c : {Asked{4, 640, 480, 1}, Asked{4, 1920, 1080, 2}, Asked{1, 3840, 2160, 1}, Asked{3, 2560, 1440, 3},
                          Asked{0, 2560, 1440, 3}, Asked{3, 0, 0, 3}, Asked{0, 0, 0, 1}})
        EXPECT_EQ(window_scale_for(c.asked, c.width, c.height), c.scale) << c.asked << " on " << c.width << " x " << c.height;
}

}  // namespace
