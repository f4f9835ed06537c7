// The computer's script, "AI_list.txt": its records and the reader that checks them. A record names
// four cells, relative to a base cell, that must hold one cup type, and the slide that the computer
// makes when they do (control/cpu.h).
#pragma once

#include <string>
#include <vector>

// The slide a record calls for: even codes slide the base cell's column, odd codes its row.
enum MoveCode : int {
    move_column_down = 0,
    move_row_left = 1,
    move_column_up = 2,
    move_row_right = 3,
};

// One record: a move code and the three cells that, with the base cell, must hold one cup type.
// Offsets are relative to the base cell and wrap round the board.
struct AiRecord {
    int code;   // MoveCode, 0..3
    int dc[3];  // column offsets, -5..5
    int dr[3];  // row offsets, -9..9
};

// Reads a script from its text: records of seven numbers, "CODE COL,ROW COL,ROW COL,ROW", as the
// C library's "%i %i,%i %i,%i %i,%i" reads them, separated by any white space; a UTF-8 byte-order
// mark in front is skipped. Returns "" when the whole text is records, or "LINE: what is wrong" at
// the first fault, with the records before it in *records. It never stops the program, so that the
// game makes the message its fatal error and the fuzz test a rejected input.
std::string parse_ai_script(const std::string& text, std::vector<AiRecord>* records);
