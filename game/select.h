// The character select, once per match, and the loading screen before every round.
#pragma once

#include <cstdint>

// The character of the portraits' row at screen height y: 0 on the upper half of the bottom panel
// (and on the top panel), 1 on the lower half.
int8_t character_at(int y);

// The player clicks a character on the bottom panel: returns it (0 or 1) for the left player, or
// -1 when ESC or the window's close button ended the screen.
int8_t character_select();

// Shows "loading..." on the top panel while a round's data loads.
void loading_screen();
