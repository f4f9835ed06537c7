// The computer opponent, driven by its script "AI_list.txt", and its pacing.
#pragma once

#include <cstdint>

struct Player;

extern int ai_go;              // 1 while a pacing pulse is pending
extern int8_t ai_frame_accum;  // pacing accumulator

// Decides this frame's command of a board the computer plays.
void cpu_command(Player* p);

// The pacing step at the end of every battle and tutorial frame.
void ai_pacing();
