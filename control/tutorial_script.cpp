#include "control/tutorial_script.h"

#include "state/match.h"


namespace {

// The walk, by position: the cursor moves down a row (or the column slides down), the row slides
// right (or the cursor moves right), back up, back left.
constexpr int walk_length = 4;
constexpr uint8_t walk[walk_length] = {cmd_down, cmd_right, cmd_up, cmd_left};

// The preset boards, row by row from row 0 (top), each row from column 0 (left).
using PresetRows = int8_t[board_cells];
constexpr PresetRows opening_pattern = {
    1, 2, 3, 1, 2, 3,
    2, 3, 1, 2, 3, 1,
    3, 1, 2, 3, 1, 2,
    1, 2, 3, 1, 2, 3,
    2, 3, 1, 2, 3, 1,
    3, 1, 2, 3, 1, 2,
    1, 2, 3, 1, 2, 3,
    2, 3, 1, 2, 3, 1,
    3, 1, 2, 3, 1, 2,
    1, 2, 3, 1, 2, 3,
};
constexpr PresetRows three_shapes = {
    0, 0, 0, 0, 0, 0,
    0, 1, 0, 0, 0, 0,
    0, 1, 0, 2, 2, 0,
    0, 1, 0, 2, 2, 0,
    0, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 3, 3, 3, 3, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
};
constexpr PresetRows chain_of_four = {
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 3, 3, 0, 2, 0,
    0, 2, 2, 0, 2, 0,
    0, 1, 1, 1, 1, 2,
    0, 2, 2, 3, 3, 2,
};

void copy_preset(const PresetRows& rows, int32_t* target) {
    for (int r = 0; r < board_rows; r++)
        for (int c = 0; c < board_cols; c++) target[cell_at(c, r)] = rows[r * board_cols + c];
}

bool idle(const Player* p) { return p->state == ready && p->slide_x == 0 && p->slide_y == 0; }

}  // namespace

void tutorial_command(Player* p) {
    if (!idle(p)) return;  // 1. a busy board keeps its last command; the script waits
    switch (match.tutorial_step) {  // 2. the step's command
    case tutorial_walk:
        if (p->character >= 0 && p->character < walk_length) {
            p->command = walk[p->character];
            p->character = (p->character + 1) % walk_length;
        }
        break;
    case tutorial_toggle:
        p->command = cmd_toggle;
        p->character = 0;
        match.tutorial_step = tutorial_walk;
        break;
    case tutorial_act:
        p->command = cmd_action;
        match.tutorial_step = tutorial_rest;
        break;
    case tutorial_rest:
        p->command = 0;
        break;
    }
}

void load_preset_board(Player* p, int preset) {
    switch (preset) {
    case preset_opening: copy_preset(opening_pattern, p->pattern); break;
    case preset_shapes: copy_preset(three_shapes, p->cells); break;
    case preset_chain: copy_preset(chain_of_four, p->cells); break;
    default: break;  // no such preset
    }
}
