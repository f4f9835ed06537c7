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

TEST(CommandLineTest, ScalesAnswersAndRefusals) {
    struct Case {
        std::vector<const char*> args;
        CommandLine::Action action;
        int scale;
        const char* named;  // what a refusal must quote
    };
    const Case cases[] = {
        {{}, CommandLine::play, 0, ""},
        {{"--scale", "1"}, CommandLine::play, 1, ""},
        {{"--scale", "4"}, CommandLine::play, 4, ""},
        {{"--scale=3"}, CommandLine::play, 3, ""},
        {{"--scale", "2", "--scale", "3"}, CommandLine::play, 3, ""},
        {{"--help"}, CommandLine::help, 0, ""},
        {{"--scale", "2", "--version", "--bogus"}, CommandLine::version, 0, ""},
        {{"--scale", "9"}, CommandLine::refuse, 0, "'9'"},
        {{"--scale", "0"}, CommandLine::refuse, 0, "'0'"},
        {{"--scale", "22"}, CommandLine::refuse, 0, "'22'"},
        {{"--scale", "-1"}, CommandLine::refuse, 0, "'-1'"},
        {{"--scale="}, CommandLine::refuse, 0, "''"},
        {{"--scale"}, CommandLine::refuse, 0, "'--scale'"},
        {{"--bogus", "--help"}, CommandLine::refuse, 0, "'--bogus'"},
        {{"-h"}, CommandLine::refuse, 0, "'-h'"},
        {{"2"}, CommandLine::refuse, 0, "'2'"},
    };
    for (const Case& c : cases) {
        std::string shown;
        for (const char* a : c.args) shown += std::string(" ") + a;
        const CommandLine command = read(c.args);
        EXPECT_EQ(command.action, c.action) << shown;
        EXPECT_EQ(command.scale, c.scale) << shown;
        EXPECT_NE(command.fault.find(c.named), std::string::npos) << shown << ": " << command.fault;
        EXPECT_EQ(command.fault.find('\n'), std::string::npos) << shown;
    }
}

TEST(CommandLineTest, ReplayAndRecordFiles) {
    struct Case {
        std::vector<const char*> args;
        CommandLine::Action action;
        const char* replay;
        const char* record;
        const char* named;  // what a refusal must quote
    };
    const Case cases[] = {
        {{"--replay", "a.replay"}, CommandLine::play, "a.replay", "", ""},
        {{"--record=b.replay", "--scale", "2"}, CommandLine::play, "", "b.replay", ""},
        {{"--record", "b", "--record", "c"}, CommandLine::play, "", "c", ""},
        {{"--replay"}, CommandLine::refuse, "", "", "'--replay' needs a file"},
        {{"--record="}, CommandLine::refuse, "", "", "'--record' needs a file"},
        {{"--replay", "a", "--record", "b"}, CommandLine::refuse, "", "", "'--replay' and '--record'"},
        {{"--replays", "a"}, CommandLine::refuse, "", "", "'--replays'"},
    };
    for (const Case& c : cases) {
        const CommandLine command = read(c.args);
        EXPECT_EQ(command.action, c.action) << c.args[0];
        EXPECT_EQ(command.replay_file, c.replay) << c.args[0];
        EXPECT_EQ(command.record_file, c.record) << c.args[0];
        EXPECT_NE(command.fault.find(c.named), std::string::npos) << c.args[0] << ": " << command.fault;
    }
}

TEST(CommandLineTest, TwoPlayersGoesWithAnyScale) {
    for (const auto& args : {std::vector<const char*>{"--two-players"}, {"--scale", "2", "--two-players"},
                             {"--two-players", "--scale=2"}}) {
        const CommandLine command = read(args);
        EXPECT_EQ(command.action, CommandLine::play);
        EXPECT_TRUE(command.two_players);
    }
    EXPECT_FALSE(read({"--scale", "2"}).two_players);
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

namespace {

TEST(CommandLineTest, HostAndJoinTakeAPortAndAnAddress) {
    struct Case {
        std::vector<const char*> args;
        CommandLine::Online online;
        const char* host;
        int port;           // 0 for a refusal
        const char* named;  // what a refusal must quote
    };
    const Case cases[] = {
        {{"--host"}, CommandLine::host, "", 7425, ""},
        {{"--host", "7500", "--scale", "2"}, CommandLine::host, "", 7500, ""},
        {{"--host", "--scale", "2"}, CommandLine::host, "", 7425, ""},
        {{"--join", "example.org"}, CommandLine::join, "example.org", 7425, ""},
        {{"--join", "10.0.0.2:9000"}, CommandLine::join, "10.0.0.2", 9000, ""},
        {{"--join", "[::1]:9001"}, CommandLine::join, "::1", 9001, ""},
        {{"--join", "fe80::1"}, CommandLine::join, "fe80::1", 7425, ""},
        {{"--host", "70000"}, CommandLine::host, "", 0, "'70000'"},
        {{"--host", "12ab"}, CommandLine::host, "", 0, "'12ab'"},
        {{"--join"}, CommandLine::join, "", 0, "'--join'"},
        {{"--join", "host:"}, CommandLine::join, "", 0, "'host:'"},
        {{"--join", "host:0"}, CommandLine::join, "", 0, "'host:0'"},
        {{"--join", ":7425"}, CommandLine::join, "", 0, "':7425'"},
        {{"--join", "[::1"}, CommandLine::join, "", 0, "'[::1'"},
        {{"--host", "--replay", "a.replay"}, CommandLine::host, "", 0, "'--replay'"},
    };
    for (const Case& c : cases) {
        std::string shown;
        for (const char* a : c.args) shown += std::string(" ") + a;
        const CommandLine command = read(c.args);
        if (c.port == 0) {
            EXPECT_EQ(command.action, CommandLine::refuse) << shown;
            EXPECT_NE(command.fault.find(c.named), std::string::npos) << shown << ": " << command.fault;
            continue;
        }
        EXPECT_EQ(command.action, CommandLine::play) << shown << ": " << command.fault;
        EXPECT_EQ(command.online, c.online) << shown;
        EXPECT_EQ(command.join_host, c.host) << shown;
        EXPECT_EQ(command.port, c.port) << shown;
    }
}

}  // namespace
