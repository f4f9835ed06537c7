// The flow of the game: the rules that start, end and decide a round, the phases of a round, and the
// way from the title screen through the rounds and back.
#pragma once

#include <cstdint>

#include "game/pause_menu.h"

// The phase a round is in; the simulator reads it between frames.
enum RoundPhase : uint8_t {
    phase_loading,
    phase_intro,
    phase_battle,
    phase_settling,
    phase_banner,
    phase_result,
};

extern QuitRequest quit_request;  // what the player asked to leave
extern RoundPhase round_phase;  // the phase of the round being played

// What a new match starts from: round 1, balance 0, no quit request and no winner yet.
void reset_match();

// Round rules. Prepares both boards for a round from their characters; their first refill copies
// the opponent's pattern.
void start_round();
// True while neither side has pushed the balance to its end.
bool round_in_play();
// True when both boards are ready and both characters idle: the round can be closed.
bool boards_at_rest();
// Ends the round on both boards, decides the winner by the sign of balance and starts the win and
// lose animations.
void finish_round();
// Carries the match on after a decided round: the balance returns to 0; after a left win the round
// number goes up and the computer changes character, after a right win the match is lost.
void next_round();

// One pass of the round loop: loading screen, intro, battle, settling, banner and result, paced by
// wait_for_tick. Returns false when the round loop is to be left (a quit, ESC, or a lost match).
bool play_round();

// The rounds of one match with the characters set: from round 1 until a round is lost, round 8 is
// won, or the player quits.
void play_match();

// Title, character select and rounds until the player leaves; returns when the program is to end.
// Every match is recorded from its start (game/replay.h) and kept (game/replay_files.h).
void run_match_flow();
