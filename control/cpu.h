// The computer opponent, driven by its script "AI_list.txt", and its pacing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "control/ai_script.h"

struct Player;

constexpr const char* ai_script_file = "AI_list.txt";  // the game's script, in the game folder

extern std::vector<AiRecord> ai_list;  // the computer's script, read once at start-up, in file order

// Reads the script file into ai_list. Returns "" or one line naming the file and what is wrong.
// An empty script is no fault here: the computer then presses random keys.
std::string read_ai_script(const char* file);

// Decides this frame's command of a board the computer plays.
void cpu_command(Player* p);

// The sum of the rounds' numbers, one a frame, past which the computer may decide again: 55 at normal
// strength, as it always was; an unknown strength counts as normal.
int pacing_threshold(int strength);

// The pacing step at the end of every battle and tutorial frame, at match.ai_strength.
void ai_pacing();
