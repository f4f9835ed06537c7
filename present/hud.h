// The scores, the balance bar, whose board is whose and how far the match has come.
#pragma once

#include <allegro.h>

struct Player;

// Draws the player's score as six digits from (x, y) on the bottom panel.
void draw_score(Player* p, int x, int y);

// Keeps balance within -64..64 and draws the bar.
void draw_balance_bar();

// Above each board on the top panel: whose it is (YOU and CPU against the computer, P1 and P2 for
// two people), and a pip per round that side needs to win the match, lit for each round it has won.
void draw_side_labels();

// Between the scores on the bottom panel: the round being played ("ROUND 3/8" on two lines against
// the computer's ladder, "ROUND 2" between two people).
void draw_round_counter();

// The highlight of the screens' keyboard and joystick choice: a two-pixel frame whose outer edge is
// the rectangle (x1, y1)-(x2, y2).
void draw_highlight(BITMAP* b, int x1, int y1, int x2, int y2, int colour);
// The highlight's gold, glowing lighter and deeper every six frames.
int highlight_gold(int frame);

// Text in the built-in 8 x 8 font with a dark shadow, centred on x, from y down.
void draw_label(BITMAP* b, const char* text, int x, int y, int colour);
