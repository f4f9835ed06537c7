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

// The pacing step at the end of every battle and tutorial frame.
void ai_pacing();
