// The character select, once per match, and the loading screen before every round.
#pragma once

#include <cstdint>

// The character of the portraits' row at screen height y: 0 on the upper half of the bottom panel
// (and on the top panel), 1 on the lower half.
int8_t character_at(int y);

// The player chooses a character on the bottom panel, with a click on its row, or with the arrows
// (or a joystick, or a mouse moving over a row) and Z or Return: returns it (0 or 1) for the left
// player, or -1 when ESC or the window's close button ended the screen. Online the other player
// chooses on their own machine.
int8_t character_select(bool online = false);

// Two people choose, each with their own keys (up and down pick a row, break chooses) or with clicks
// (the first for the left player, the next for the right one); the same character twice is allowed.
// Fills chosen[0] (left) and chosen[1] (right) and returns true, or false on ESC or the close button.
bool pair_character_select(int8_t chosen[2]);

// Shows "loading..." on the top panel while a round's data loads.
void loading_screen();
