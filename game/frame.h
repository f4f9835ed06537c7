// The four kinds of frame the game draws, and where each board takes its command from.
#pragma once

#include "board/turn.h"
#include "state/match.h"

// The command source of each board (0 left, 1 right), chosen with the game mode by set_game_mode;
// a replay puts its own in their place.
extern CommandSource command_sources[2];

// Sets the game mode and the command sources it gives the boards: the computer on both boards, the
// keyboard on the left and the computer on the right, each board its own person's keys, or the
// tutorial's script on the left alone.
void set_game_mode(GameMode mode);

// One frame of a round in play (also while a round settles): both boards, characters, HUD.
void battle_frame();
// One frame of the tutorial: the left board only; the bottom panel is left to the tutorial.
void tutorial_frame();
// One frame of the round result: the boards pop their last cups under the sliding banners.
void result_frame();
// One frame of the round intro: the word and the round digit over the background.
void intro_frame();

// Copies top_panel to the screen at y 0 and bottom_panel at y 192.
void show_panels();
// Copies top_panel alone to the screen at y 0.
void show_top_panel();
