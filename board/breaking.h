// Breaking matched cups group by group, with the pop animation, score, balance and super meter.
#pragma once

struct Player;

// Rebuilds the board picture from the cells and advances the breaking by one frame.
void break_step(Player* p);
