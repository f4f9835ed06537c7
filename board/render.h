// Drawing a board: sliding lines, the cursor frame, combo and super texts, super stars.
#pragma once

struct BITMAP;
struct Player;

// Draws the board onto the top panel, running the breaking step while no refill slides in. While
// frames_unseen (platform/ticks.h) is set, only the board's own picture is drawn (it is state), not
// the panel.
void draw_board(Player* p);

// Draws the super meter's stars between the boards.
void draw_super_stars(Player* p);
