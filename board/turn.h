// The per-frame life of one board: command, slide, drawing and breaking, fall, chain, refill and
// the end of a turn with its attack and rewards.
#pragma once

#include <cstdint>

struct Player;

// Advances one board by one frame and draws it onto the top panel.
void board_step(Player* p);

// Appends an animation id to the side's animation queue; dropped when the queue is full.
void queue_animation(Player* p, int32_t id);
