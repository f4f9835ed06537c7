// Drawing a board: cells, sliding lines, the cursor frame, combo and super texts, super stars.
#pragma once

struct BITMAP;
struct Player;

// Draws cell (col, row) of the board into the destination with its corner at (x0 + 16 col, y0 + 16 row).
void draw_cell(Player* p, BITMAP* destination, int col, int row, int x0, int y0);

// Draws the board onto the top panel, running the breaking step while no refill slides in.
void draw_board(Player* p);

// Draws the super meter's stars between the boards.
void draw_super_stars(Player* p);
