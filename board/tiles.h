// One cell of a board as a picture: its cup (still, shimmering or junk) and the super cup's badge.
#pragma once

struct BITMAP;
struct Player;

// Draws cell (col, row) of the board into the destination with its corner at (x0 + 16 col, y0 + 16 row).
void draw_cell(Player* p, BITMAP* destination, int col, int row, int x0, int y0);
