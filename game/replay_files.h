// Replays as files: the checksums of the data files they were made with, the folder that keeps the
// last matches, and reading and writing one with a clear line for every way it can go wrong.
#pragma once

#include <string>

#include "state/replay_file.h"

constexpr int kept_replays = 20;  // the replays folder keeps the last 20 matches

extern bool keeping_replays;     // set by the game: the matches it plays are kept (tests keep nothing)
extern std::string record_file;  // --record FILE: every match is also written there; "" for none

// The checksums of the data files in the game folder, the computer reading `script_file`.
DataSums game_data_sums(const char* script_file);

// $XDG_DATA_HOME/cupclash/replays, else ~/.local/share/cupclash/replays; or a fault naming why
// there is none (neither variable is set).
std::string replays_folder(std::string* fault);

// Writes the replay as a file: "" or one line "cannot write the replay FILE: REASON".
std::string save_replay(const Replay& replay, const std::string& file);

// Keeps the matches of a replay, when the game keeps replays and there is a match: a new file in
// the replays folder, whose oldest files beyond the last 20 go, and the --record file. A place that
// cannot be written is said once per run in one line; the game plays on.
void keep_replay(const Replay& replay);

// Reads a replay file: "" or one line 'replay "FILE" is cut short', ... for any file that is not
// a whole, sound replay.
std::string read_replay_file(const std::string& file, Replay* replay);

// Checks that a replay read well can be played with the data files of the game folder (the
// computer reading `script_file`) by this cupclash: "" or one line 'replay "FILE" was recorded
// with other character files', ...
std::string check_replay_data(const std::string& file, const char* script_file, const Replay& replay);
