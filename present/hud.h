// The bottom panel's scores and the balance bar.
#pragma once

struct Player;

// Draws the player's score as six digits from (x, y) on the bottom panel.
void draw_score(Player* p, int x, int y);

// Keeps balance within -64..64 and draws the bar.
void draw_balance_bar();
