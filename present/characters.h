// The two characters on the bottom panel.
#pragma once

#include <cstdint>

struct Player;


// Composes the background and both characters onto the bottom panel. While frames_unseen
// (platform/ticks.h) is set nothing is drawn, and the animations, cues and blows go on as when shown.
void compose_characters();

// Advances one character by one frame and draws it onto the bottom panel.
void animate_character(Player* p);
