// The match: the shared values a match runs on, the music, the rules that start, end and decide a
// round, the phases of a round, and the flow from the title screen through the rounds and back.
#pragma once

#include <allegro.h>
#include <cstdint>

// How each board gets its commands.
enum GameMode : uint8_t {
    mode_cpu_vs_cpu = 0,  // the computer plays both boards ("watch" on the title screen)
    mode_vs_cpu = 1,      // the left board is played from the keyboard or joystick
    mode_tutorial = 4,    // the tutorial's script plays the left board; the right one stands still
};

// What the player asked to leave.
enum QuitRequest : uint8_t {
    quit_none = 0,
    quit_match = 1,    // end the match and return to the title screen
    quit_program = 2,  // end the program
};

// The phase a round is in; the simulator reads it between frames.
enum RoundPhase : uint8_t {
    phase_loading,
    phase_intro,
    phase_battle,
    phase_settling,
    phase_banner,
    phase_result,
};

// The tracks of music_table.
enum Track : int {
    track_title = 0,
    track_round = 1,  // plus the right player's character
};
constexpr int music_tracks = 3;

constexpr int balance_limit = 64;  // a round ends when balance reaches -64 or 64
constexpr uint8_t no_winner = 255;
constexpr int last_round = 8;

extern uint8_t game_mode;      // GameMode
extern int8_t round_number;    // 1..8 (9 once round 8 is won)
extern int balance;            // the tug of war: left breaks push it up, right breaks down
extern uint8_t winner;         // 0 left, 1 right after a round; 255 at the start of a match
extern int banner_y;           // y of the result banners on the top panel
extern uint8_t quit_request;   // QuitRequest
extern SAMPLE* music;          // the one music track loaded now, or null
extern const char* const music_table[music_tracks];
extern RoundPhase round_phase;  // the phase of the round being played

// Loads track `track` of music_table in place of the one playing and plays it looping at
// music_volume; a track that fails to load leaves the music silent.
void play_music(int track);
// Plays the loaded track, if any, at `volume` from now on.
void set_music_level(int volume);
// Stops and releases the music track, if any.
void release_music();

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
void run_match_flow();
