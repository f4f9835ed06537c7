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
    phase_match_end,  // two people: the card after a match one of them won
};

extern QuitRequest quit_request;  // what the player asked to leave
extern RoundPhase round_phase;  // the phase of the round being played

// What a new match starts from: round 1, balance 0, no quit request, no winner yet and no rounds won.
void reset_match();

// Round rules. Prepares both boards for a round from their characters; their first refill copies
// the opponent's pattern.
void start_round();
// True while neither side has pushed the balance to its end.
bool round_in_play();
// True when both boards are ready and both characters idle: the round can be closed.
bool boards_at_rest();
// Ends the round on both boards, decides the winner by the sign of balance, counts the round won and
// starts the win and lose animations.
void finish_round();
// Carries the match on after a decided round: the balance returns to 0. Against the computer, after
// a left win the round number goes up and the computer changes character, after a right win the
// match is lost. Between two people the round number goes up and both keep their characters.
void next_round();
// True while the match has rounds to play: against the computer until round 8 is won (a lost round
// ends it by a quit request), between two people until one of them has won three.
bool match_undecided();

// Phases of a round that take no commands that matter, paced by wait_for_tick: the intro while the
// opening animation plays (ESC waits for the battle), the banners sliding in, and the win and lose
// animations under them.
void play_intro();
void play_banner();
void play_result();

// One pass of the round loop: loading screen, intro, battle, settling, banner and result, paced by
// wait_for_tick. Returns false when the round loop is to be left (a quit, ESC, or a lost match).
bool play_round();

// The rounds of one match with the characters set: from round 1 until a round is lost, round 8 is
// won, or the player quits; between two people, until one has won three rounds.
void play_match();

// After a match between two people that one of them won: the end card. True when they chose a
// rematch, which is then reset (round 1, no rounds won, the same characters); false for the title,
// and after any other match.
bool rematch_wanted();

// The match against the computer was played to its end: lost, or its last round won (not left from
// the pause menu, not a window closed).
bool played_out_against_cpu();

// Title, character select and rounds until the player leaves; returns when the program is to end.
// Every match is recorded from its start (game/replay.h) and kept (game/replay_files.h).
// With two_players_first the first match is between two people, without the title before it.
void run_match_flow(bool two_players_first = false);
