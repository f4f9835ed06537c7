// The state of a match as one value. A frame of a round changes only what is here: the shared values
// of the match in `match`, and the two players' records (their PlayerState, and the board pictures
// while a refill slides in). Saving it, restoring it and playing the same commands again gives the
// same frames, bit for bit; its checksum tells two runs apart.
#pragma once

#include <cstdint>
#include <type_traits>

#include "platform/settings.h"
#include "state/player.h"
#include "state/random.h"

// How each board gets its commands.
enum GameMode : int32_t {
    mode_cpu_vs_cpu = 0,  // the computer plays both boards ("watch" on the title screen)
    mode_vs_cpu = 1,      // the left board is played from the keyboard or joystick
    mode_two_players = 2, // two people at one keyboard, each board from its own keys and joystick
    mode_tutorial = 4,    // the tutorial's script plays the left board; the right one stands still
};

// What the tutorial's script does on the left board's next idle frame.
enum TutorialStep : int32_t {
    tutorial_walk = 0,    // the next command of the four-step walk
    tutorial_toggle = 1,  // toggles the axis once, then walks again from the walk's start
    tutorial_act = 2,     // the action once, then rests
    tutorial_rest = 3,    // no command
};

constexpr int balance_limit = 64;  // a round ends when balance reaches -64 or 64
constexpr int32_t no_winner = 255;
constexpr int last_round = 8;     // against the computer: a ladder of eight rounds
constexpr int rounds_to_win = 3;  // two people: the first to win three rounds wins the match

// The shared values of a match. The initialisers are the values the game starts its run with; a new
// match (reset_match) sets round, balance and winner again and keeps the rest, as the game always
// has: the decoration ticks, the computer's pacing and the draw order run on from match to match.
struct Match {
    Random random;  // every random number of the rules comes from here; seeded at start-up
    GameMode game_mode = mode_cpu_vs_cpu;
    int32_t balance = 0;     // the tug of war: left breaks push it up, right breaks down
    int32_t winner = 0;      // 0 left, 1 right after a round; no_winner at the start of a match
    int32_t banner_y = 0;    // y of the result banners on the top panel
    int32_t ai_go = 0;       // 1 while a pacing pulse of the computer is pending
    TutorialStep tutorial_step = tutorial_walk;  // set page by page by the tutorial; kept after it
    int32_t draw_order = 0;  // index of the player whose character is drawn in front
    int8_t round_number = 1;    // 1..8 (9 once round 8 is won)
    int8_t half_tick = 0;       // 0 or 1, toggles every battle or tutorial frame
    int8_t anim_tick = 0;       // 0..8, decoration phase, moves on every second such frame
    int8_t ai_frame_accum = 0;  // the computer's pacing accumulator
    int16_t rounds_won[2] = {0, 0};  // two people: rounds each side has won in this match, 0..3
    int16_t ai_strength = strength_normal;  // the computer's pace (Strength), set for each match
    int8_t longest_chain[2] = {0, 0};       // the match's longest chain per side: waves in one turn
};

extern Match match;         // the match being played (or last played)
extern Player* players[2];  // 0 left, 1 right, for the whole run

// The board pictures of a side, kept in a saved value only while a refill slides in: then they are
// built up frame by frame and cannot be drawn again from the cells.
struct BoardPictures {
    uint16_t board[board_height][board_width];
    uint16_t strip[board_height][board_width];
};

// The whole state of a match as one value.
struct MatchState {
    Match shared;
    PlayerState side[2];
    BoardPictures pictures[2];  // side k's only while side[k].refill_offset > 0
};

// The checksum hashes the bytes of the values: they must hold nothing but their fields.
static_assert(std::has_unique_object_representations_v<Match>, "Match must have no padding");
static_assert(std::has_unique_object_representations_v<PlayerState>, "PlayerState must have no padding");

// Copies the match being played into *state.
void save_match(MatchState* state);

// Makes the match being played the saved one. The records keep their bitmaps and character data:
// the value holds which character each side plays, and a new round loads its data.
void restore_match(const MatchState& state);

// A 64-bit checksum of a saved value: of the shared values and both sides' states (the pictures
// follow from them and the frames).
uint64_t match_checksum(const MatchState& state);

// The same checksum of the match being played, without saving it.
uint64_t live_checksum();

// The two player records with their bitmaps, linked as each other's opponent.
void create_players();

// Releases both records and everything they own.
void destroy_players();
