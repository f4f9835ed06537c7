// Recording the matches the game plays and playing them back (the file itself: state/replay_file.h).
//
// Recording wraps each board's command source: the real source decides, and its command is
// appended to that board's stream. Playback restores a match's start value, puts the recorded
// game mode's own sources back in place and wraps them the other way: the real source still runs
// (the computer draws random numbers and paces itself, which the rules' state holds), then the
// recorded command takes the place of the one it wrote. The same flow as in play then runs, so the
// intro, the rounds, the banners and the results follow by themselves, and the flow leaves the
// match where the recording ends (recorded_match_over). Every 25th frame, and at the last one, the
// state's checksum is compared with the recorded one.
#pragma once

#include <cstdint>
#include <string>

#include "state/replay_file.h"

extern uint32_t run_seed;  // the seed start-up gave the run's random numbers; recorded with each match

// ---- recording ----

// Starts recording a match: to call right after the match was reset and its characters chosen,
// before its first round. A match being recorded is closed first. The replay's header comes from
// the data sums given.
void start_recording(const DataSums& sums);
// Closes the match being recorded (a match without a frame is dropped) and puts the real command
// sources back.
void stop_recording();
// True between start_recording and stop_recording.
bool recording();
// The replay recorded since the last take_recording: its matches; empty when none was played.
Replay take_recording();

// ---- playback ----

// How the playback of a replay went, so far.
struct PlaybackReport {
    size_t match = 0;         // the match being played, 0-based
    uint64_t frames = 0;      // frames played, all matches together
    uint64_t agreed = 0;      // checksums compared and equal
    bool drifted = false;     // a checksum differed: the playback stopped there
    uint64_t drift_frame = 0; // the frame of that match whose checksum differed (1-based)
};

// Plays one recorded match through `play` (the flow that plays a match from its start: reset_match
// and play_match), from its start value until its streams run out or a checksum differs. The
// command sources are the real ones again afterwards.
void play_back_match(const RecordedMatch& m, void (*play)(), PlaybackReport* report);

// Every match of the replay in turn. Stops at a drift, or when the program is to end.
PlaybackReport play_back(const Replay& replay, void (*play)());

// True during a playback once its last recorded frame was played or a checksum differed: the flow
// then leaves the match before its next frame, as the player did.
bool recorded_match_over();

// One line for a drift: "drifted at frame N of match M".
std::string drift_text(const PlaybackReport& report);
