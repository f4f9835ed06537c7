// The two characters on the bottom panel.
#pragma once

#include <cstdint>

struct Player;


// Composes the background and both characters onto the bottom panel.
void compose_characters();

// Advances one character by one frame and draws it onto the character canvas.
void animate_character(Player* p);
