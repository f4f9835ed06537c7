// The tutorial: a demonstration that plays by itself. Seven pages of explanation from "tuttxt.pcx"
// appear one after another on the bottom half of the window while a script plays the left board
// over three preset boards. The right board is neither stepped nor drawn.
#pragma once

#include <cstdint>

struct Player;

// What tutorial_command does on the board's next idle frame.
enum TutorialStep : int32_t {
    tutorial_walk = 0,    // the next command of the four-step walk
    tutorial_toggle = 1,  // toggles the axis once, then walks again from the walk's start
    tutorial_act = 2,     // the action once, then rests
    tutorial_rest = 3,    // no command
};

// The preset boards, constant data of the game.
enum PresetBoard : int {
    preset_opening = 1,  // the diagonal opening pattern, loaded as a board's attack pattern
    preset_shapes = 2,   // a vertical line, a square and a horizontal line, loaded as the cells
    preset_chain = 3,    // a board that breaks in a chain of four settles, loaded as the cells
};

// TutorialStep. Set by run_tutorial page by page, moved on by tutorial_command; after the tutorial
// it keeps its last value, which nothing else reads.
extern int32_t tutorial_step;

// The left board's command source while game_mode is mode_tutorial. On an idle board (ready, no
// slide) it writes the command of tutorial_step; a busy board keeps its last command. The walk's
// position, 0..3, is kept in the record's `character`.
void tutorial_command(Player* p);

// Preset 1 replaces the record's pattern; presets 2 and 3 replace its cells; any other number does
// nothing. Markers, super cup, state, cursor and slides stay as they are.
void load_preset_board(Player* p, int preset);

// Ends a page: at most 100 passes of one tick each, running a tutorial frame in each pass when
// `frames` is set; ESC or the window's close button ends it at once.
void wait_page(bool frames);

// Shows the seven pages and plays the script on the left board. Returns with game_mode still
// mode_tutorial and balance 0; the right board's own pattern is back. When "tuttxt.pcx" cannot be
// loaded it says so in one line on stderr and returns at once.
void run_tutorial();
