// The match: the shared values a match runs on, the rules that start, end and decide a round,
// and the loop that plays rounds until the player leaves.
#pragma once

#include <allegro.h>
#include <cstdint>

// How each board gets its commands.
enum GameMode : uint8_t {
    mode_cpu_vs_cpu = 0,  // the computer plays both boards
    mode_vs_cpu = 1,      // the left board is played from the keyboard or joystick
    mode_tutorial = 4,    // the tutorial's script plays the left board; the right one stands still
};

constexpr int balance_limit = 64;  // a round ends when balance reaches -64 or 64
constexpr uint8_t no_winner = 255;
constexpr int last_round = 8;

extern uint8_t game_mode;      // GameMode
extern int8_t round_number;    // 1..8
extern int balance;            // the tug of war: left breaks push it up, right breaks down
extern uint8_t winner;         // 0 left, 1 right after a round; 255 at the start of a match
extern int banner_y;           // y of the result banners on the top panel
extern uint8_t quit_request;   // 0 none, 1 end the match, 2 end the program
extern SAMPLE* music;          // the one music track loaded now, or null

// Stops and releases the music track, if any.
void release_music();

// Prepares both boards for a round from their characters; their first refill copies the
// opponent's pattern.
void start_round();
// True while neither side has pushed the balance to its end.
bool round_in_play();
// True when both boards are ready and both characters idle: the round can be closed.
bool boards_at_rest();
// Ends the round on both boards and decides the winner by the sign of balance.
void finish_round();
// Carries the match on after a decided round: the balance returns to 0; after a left win the round
// number goes up and the computer changes character, after a right win the match starts again.
void next_round();

// Plays rounds until the player leaves; returns when the program is to end.
void run_match_flow();
