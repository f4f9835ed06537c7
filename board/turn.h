// The per-frame life of one board: command, slide, drawing and breaking, fall, chain, refill and
// the end of a turn with its attack and rewards.
#pragma once

#include <cstdint>

struct Player;

// Where a board's command comes from: a routine that writes the frame's command into the record
// (the keyboard, the computer, the tutorial's script, a replay). The rules only read it.
using CommandSource = void (*)(Player* p);

// Advances one board by one frame, its command taken from `source` first, and draws it onto the
// top panel.
void board_step(Player* p, CommandSource source);

