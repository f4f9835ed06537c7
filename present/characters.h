// The two characters on the bottom panel.
#pragma once

#include <cstdint>

struct Player;

extern uint8_t draw_order;  // index of the player whose character is drawn in front

// Composes the background and both characters onto the bottom panel.
void compose_characters();

// Advances one character by one frame and draws it onto the character canvas.
void animate_character(Player* p);
