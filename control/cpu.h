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

// What a frame adds to the pacing accumulator at a strength and round: a pulse, a decision of the
// computer, each time the sum passes 55. Normal: the round's number.
int pace_step(int strength, int round);

// The pacing step at the end of every battle and tutorial frame, at match.ai_strength.
void ai_pacing();
