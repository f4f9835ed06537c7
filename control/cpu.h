// The computer opponent, driven by its script "AI_list.txt", and its pacing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Player;

// One record of the computer's script: a move code and the three cells that, with the base cell,
// must hold one cup type. Offsets are relative to the base cell and wrap round the board.
struct AiRecord {
    int code;   // 0 column down, 1 row left, 2 column up, 3 row right
    int dc[3];  // column offsets, -5..5
    int dr[3];  // row offsets, -9..9
};

extern std::vector<AiRecord> ai_list;  // the computer's script, read once at start-up, in file order
extern int ai_go;                      // 1 while a pacing pulse is pending
extern int8_t ai_frame_accum;          // pacing accumulator

// Reads a script from its text: records of seven numbers, "CODE COL,ROW COL,ROW COL,ROW", as the
// C library's "%i %i,%i %i,%i %i,%i" reads them, separated by any white space. Returns "" when the
// whole text is records, or "LINE: what is wrong" at the first fault, with the records before it
// in *records.
std::string parse_ai_script(const std::string& text, std::vector<AiRecord>* records);

// Reads the script file into ai_list. Returns "" or one line naming the file and what is wrong.
// An empty script is no fault here: the computer then presses random keys.
std::string read_ai_script(const char* file);

// Decides this frame's command of a board the computer plays.
void cpu_command(Player* p);

// The pacing step at the end of every battle and tutorial frame.
void ai_pacing();
