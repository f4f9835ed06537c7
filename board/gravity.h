// Falling cups and the refill of entirely empty rows.
#pragma once

struct Player;

// Drops every hanging cup one row; settles the board when nothing moved. Returns whether a cup moved.
bool fall_step(Player* p);

// One frame of the refill: fill the empty rows and prepare the strip, or slide the strip in.
void refill_step(Player* p);
