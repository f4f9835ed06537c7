// The replay file: the matches of a run as their inputs. Each match is its start value and the
// command every frame gave each board, with checksums of the state along the way so that a replay
// proves itself. This module only turns a Replay into bytes and back; it knows nothing of files,
// windows or the game's flow (game/replay.h plays and records them). DEVELOPERS.md describes the
// format byte by byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "state/match.h"

constexpr uint32_t replay_format = 1;           // raised whenever the bytes change meaning
constexpr int checksum_interval = 25;           // a checksum every second of play
constexpr uint32_t most_replay_frames = 1u << 24;  // a match longer than 7 days of play is not kept
constexpr uint32_t most_replay_matches = 10000;

// Checksums of the data files whose contents the rules read, in groups, so that a replay made with
// other files can say which.
struct DataSums {
    uint64_t script;      // the computer's script
    uint64_t patterns;    // the attack patterns
    uint64_t characters;  // both characters' lists, and the sizes of the sheets and samples they name
};

// One match as it was played.
struct RecordedMatch {
    GameMode mode;         // how each board got its commands (also in start.shared)
    int8_t characters[2];  // the characters, left and right, at the start (also in start.side)
    Match shared;          // the start value: the shared values right before round 1
    PlayerState side[2];   // and both sides' states
    // Side k's board pictures (board, then refill strip, row by row) while a refill slid in at the
    // start (side[k].refill_offset > 0); empty otherwise.
    std::vector<uint16_t> pictures[2];
    std::vector<uint8_t> commands[2];  // each board's command, frame by frame; both as long
    // live_checksum() when the left board's command of frame 25k (k = 1, 2, ...) was asked for,
    // before that frame's step, and at the last frame (last_checksum).
    std::vector<uint64_t> checksums;
    uint64_t last_checksum;
};

struct Replay {
    std::string version;  // the cupclash that recorded it, e.g. "0.1.0"
    DataSums data;
    uint32_t seed;  // the seed the run's random numbers started from
    std::vector<RecordedMatch> matches;
};

// The checksums a match of `frames` frames carries before its last one: at frames 25, 50, ... below it.
size_t checksums_for(size_t frames);

// The bytes of a replay file.
std::vector<uint8_t> write_replay(const Replay& replay);

// Reads a replay file's bytes into *replay. Returns "" or what is wrong, to follow the file's
// name: "is cut short", "is not a cupclash replay", "is damaged: ...", ...
std::string read_replay(const std::vector<uint8_t>& bytes, Replay* replay);

// The same for the unpacked body alone (the part after the file's head), for the fuzz test.
std::string read_replay_body(const std::vector<uint8_t>& body, Replay* replay);

// Whether a replay that reads well can be played here: "" or why not ("was recorded with another
// computer script", ...), to follow the file's name.
std::string replay_mismatch(const Replay& replay, const std::string& version, const DataSums& here);

// The start value of a recorded match as the game restores it.
void start_of(const RecordedMatch& m, MatchState* state);
// A recorded match's start value taken from a saved one (pictures kept only while a refill slides).
void set_start(RecordedMatch* m, const MatchState& state);
