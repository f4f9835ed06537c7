// The tutorial's script: the command source that plays the left board of the demonstration
// (game/tutorial.h), step by step as the pages set match.tutorial_step, and its preset boards.
#pragma once

struct Player;

// The preset boards, constant data of the game.
enum PresetBoard : int {
    preset_opening = 1,  // the diagonal opening pattern, loaded as a board's attack pattern
    preset_shapes = 2,   // a vertical line, a square and a horizontal line, loaded as the cells
    preset_chain = 3,    // a board that breaks in a chain of four settles, loaded as the cells
};

// The left board's command source while game_mode is mode_tutorial. On an idle board (ready, no
// slide) it writes the command of match.tutorial_step, which it moves on; a busy board keeps its last command. The walk's
// position, 0..3, is kept in the record's `character`.
void tutorial_command(Player* p);

// Preset 1 replaces the record's pattern; presets 2 and 3 replace its cells; any other number does
// nothing. Markers, super cup, state, cursor and slides stay as they are.
void load_preset_board(Player* p, int preset);
