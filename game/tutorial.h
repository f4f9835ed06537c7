// The tutorial: a demonstration that plays by itself. Seven pages of explanation from "tuttxt.pcx"
// appear one after another on the bottom half of the window while a script (control/tutorial_script.h)
// plays the left board over three preset boards. The right board is neither stepped nor drawn.
#pragma once

// Ends a page: at most 100 passes of one tick each, running a tutorial frame in each pass when
// `frames` is set; ESC or the window's close button ends it at once.
void wait_page(bool frames);

// Shows the seven pages and plays the script on the left board. Returns with game_mode still
// mode_tutorial and balance 0; the right board's own pattern is back. When "tuttxt.pcx" cannot be
// loaded it says so in one line on stderr and returns at once.
void run_tutorial();
