// What the player may say when starting the game: --host [PORT] and --join HOST[:PORT] (a match
// against another machine), --scale N (the window's enlargement, 1..4),
// --replay FILE (play a replay back), --record FILE (write every match there too), --two-players (a
// match between two people at once, without the title), --help and --version. Read before anything
// else starts, so that the answers need no display.
#pragma once

#include <cstdint>
#include <string>

struct CommandLine {
    enum Action { play, help, version, refuse };
    Action action;
    int scale;          // 1..4, or 0: the one that fits the desktop
    std::string fault;  // for refuse: one line saying what is wrong, naming the argument
    std::string replay_file;  // --replay FILE: the replay to play back instead of the game; "" none
    std::string record_file;  // --record FILE: where every match is written too; "" none
    bool two_players = false;  // for play: the first match is between two people
    // --host [PORT] or --join HOST[:PORT]: the first match is online, against another machine.
    enum Online { offline, host, join } online = offline;
    std::string join_host = "";  // --join: the host's name or address
    uint16_t port = 0;      // the port to listen on or to reach
};

// Reads the arguments after the program's name. The first --help or --version answers at once; a
// later --scale, --replay or --record takes the place of an earlier one. --replay and --record
// together are refused: a replay plays back what was recorded.
CommandLine read_command_line(int argc, const char* const* argv);

// Prints the answer to a command line that is not for playing: help or version on standard output
// (status 0), or the fault as one line on standard error (status 2). Returns the exit status.
int answer_command_line(const CommandLine& command);
