// A match between two machines: the handshake, then the rounds with rollback (game/rollback.h)
// over the link (platform/net.h). The host plays the left board and draws the seed; the joiner
// plays the right one. Each machine decides only its own board's commands.
//
// Phases: the battle and the settling take commands and step with rollback; a phase ends only on
// an agreed frame (a guessed frame where it would end waits for the real commands and is looked at
// again). The intro, the banners and the result take no commands that matter: each machine plays
// them by itself with empty commands, from the same agreed state, so they end alike.
//
// After a match that one side won, each player chooses on their own machine: when both choose a
// rematch, a new match starts on the same link with the same characters and a seed the host draws.
#pragma once

#include <cstdint>
#include <string>

#include "board/turn.h"
#include "game/match_end.h"
#include "state/replay_file.h"

constexpr int default_input_delay = 1;
constexpr const char* left_by_choice = "you left the match";  // ESC during an online match

struct OnlineOptions {
    bool hosting = true;
    std::string address;  // joining: where the host is
    uint16_t port = 0;
    int8_t character = 0;  // this side's character
    int input_delay = default_input_delay;  // 0..3 frames
    CommandSource decide = nullptr;  // decides this side's command (the keyboard, or the computer)
    long round_limit = 0;  // > 0: the match stops after that many rounds (the simulator)
    uint32_t connect_wait_ms = 30000;  // how long a host waits for the other player, a joiner for the host
    void (*pace)() = nullptr;  // ends a frame: waits for the next tick
    bool (*give_up)() = nullptr;  // true when the player gives up waiting (ESC); may be null
    // After a match that one side won, once a frame (counted from 0 at each match's end) until a
    // rematch starts or the link ends: this side's choice so far. Null: no rematch (the simulator).
    EndChoice (*end_choice)(int frame) = nullptr;
    void (*keep)(const Replay& replay) = nullptr;  // each match's replay as it ends, also one cut short
    DataSums data = {};
};

struct OnlineResult {
    bool played = false;  // the last match ran to its end (or its round limit) with both sides
    std::string message;  // why the link ended, when not by this side's choice, in one line:
                          // "the other player left", "connection lost", ...
    uint64_t final_checksum = 0;  // of the last match's last agreed frame
    // Figures of the link, over the last match.
    uint64_t frames = 0, rollbacks = 0, frames_rolled_back = 0, malformed = 0;
    uint64_t inputs_lost = 0;  // the other side's inputs and beats that never came
    uint64_t bytes_sent = 0, bytes_received = 0;
    double seconds = 0;
};

// Plays online matches from the handshake until the players do not both choose a rematch.
OnlineResult play_online(const OnlineOptions& options);

// The figures of the match being played, for the screen: round trip, frames rolled back, packets lost.
struct OnlineFigures {
    uint32_t round_trip_ms = 0;
    uint64_t frames_rolled_back = 0;
    uint64_t packets_lost = 0;  // ours that had to be sent again, and theirs that never came
    bool waiting = false;  // the other side is more than most_rollback frames behind
};
OnlineFigures online_figures();
