#include "control/cpu.h"

#include "board/player.h"

int ai_go = 0;
int8_t ai_frame_accum = 0;

void cpu_command(Player* p) { p->command = cmd_action; }

void ai_pacing() {}
