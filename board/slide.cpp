#include "board/slide.h"

#include "board/matches.h"
#include "state/player.h"

namespace {

constexpr int slide_step = 4;    // pixels a sliding line moves per frame
constexpr int slide_commit = 15;  // past this the line has moved a whole cell

// Moves the cup (and its junk marker) of cell `from` into cell `to`.
void move_cup(Player* p, int to, int from) {
    p->cells[to] = p->cells[from];
    p->junk[to] = p->junk[from];
}

// Row `cursor_row` moves one cell toward column 0; column 0's cup wraps to column 5.
void shift_row_left(Player* p) {
    const int row = p->cursor_row;
    const int first_cup = p->cells[cell_at(0, row)], first_junk = p->junk[cell_at(0, row)];
    for (int c = 0; c < board_cols - 1; c++) move_cup(p, cell_at(c, row), cell_at(c + 1, row));
    p->cells[cell_at(board_cols - 1, row)] = first_cup;
    p->junk[cell_at(board_cols - 1, row)] = first_junk;
    if (p->super_row == row && p->super_col < board_cols) p->super_col = (p->super_col + 5) % board_cols;
}

// Row `cursor_row` moves one cell toward column 5; column 5's cup wraps to column 0.
void shift_row_right(Player* p) {
    const int row = p->cursor_row;
    const int last_cup = p->cells[cell_at(5, row)], last_junk = p->junk[cell_at(5, row)];
    for (int c = board_cols - 1; c > 0; c--) move_cup(p, cell_at(c, row), cell_at(c - 1, row));
    p->cells[cell_at(0, row)] = last_cup;
    p->junk[cell_at(0, row)] = last_junk;
    if (p->super_row == row && p->super_col < board_cols) p->super_col = (p->super_col + 1) % board_cols;
}

// Column `cursor_col` moves one cell up; row 0's cup wraps to row 9.
void shift_column_up(Player* p) {
    const int col = p->cursor_col;
    const int top_cup = p->cells[cell_at(col, 0)], top_junk = p->junk[cell_at(col, 0)];
    for (int r = 0; r < board_rows - 1; r++) move_cup(p, cell_at(col, r), cell_at(col, r + 1));
    p->cells[cell_at(col, 9)] = top_cup;
    p->junk[cell_at(col, 9)] = top_junk;
    if (p->super_col == col) p->super_row = (p->super_row + 9) % board_rows;
}

// Column `cursor_col` moves one cell down; row 9's cup wraps to row 0.
void shift_column_down(Player* p) {
    const int col = p->cursor_col;
    const int bottom_cup = p->cells[cell_at(col, 9)], bottom_junk = p->junk[cell_at(col, 9)];
    for (int r = board_rows - 1; r > 0; r--) move_cup(p, cell_at(col, r), cell_at(col, r - 1));
    p->cells[cell_at(col, 0)] = bottom_cup;
    p->junk[cell_at(col, 0)] = bottom_junk;
    if (p->super_col == col) p->super_row = (p->super_row + 1) % board_rows;
}

// Moves a slide in progress on by 4 pixels and commits it once it has covered a cell.
// Returns the new offset.
int advance_slide(Player* p, int offset, void (*commit_forward)(Player*), void (*commit_back)(Player*)) {
    if (offset > 0) {
        offset += slide_step;
        if (offset > slide_commit) {
            commit_forward(p);
            offset = 0;
        }
    }
    if (offset < 0) {
        offset -= slide_step;
        if (offset < -slide_commit) {
            commit_back(p);
            offset = 0;
        }
    }
    return offset;
}

// The offset a new slide starts from: +4 for the first direction, -4 for the second, 0 for both.
int slide_start(uint8_t command, uint8_t forward_bit, uint8_t back_bit) {
    int offset = 0;
    if (command & forward_bit) offset = slide_step;
    if (command & back_bit) offset -= slide_step;
    return offset;
}

}  // namespace

void move_and_slide(Player* p) {
    const uint8_t command = p->command;

    // 1. Axis toggle, even while a slide is moving.
    if (command & cmd_toggle) p->axis = p->axis == row_mode ? column_mode : row_mode;

    // 2. Slide progress, or a new slide on the current axis.
    if (p->slide_x != 0) {
        p->slide_x = advance_slide(p, p->slide_x, shift_row_left, shift_row_right);
    } else if (p->slide_y != 0) {
        p->slide_y = advance_slide(p, p->slide_y, shift_column_up, shift_column_down);
    } else if (p->state == ready) {
        if (p->axis == column_mode)
            p->slide_y = slide_start(command, cmd_up, cmd_down);
        else
            p->slide_x = slide_start(command, cmd_left, cmd_right);
    }

    // 3. Cursor move on the current axis, while its line is not sliding.
    if (p->axis == row_mode && p->slide_x == 0) {
        if (command & cmd_up) p->cursor_row += 9;
        if (command & cmd_down) p->cursor_row += 1;
        p->cursor_row %= board_rows;
    } else if (p->axis == column_mode && p->slide_y == 0) {
        if (command & cmd_left) p->cursor_col += 5;
        if (command & cmd_right) p->cursor_col += 1;
        p->cursor_col %= board_cols;
    }

    // 4. Action: look for matches when nothing slides.
    if (p->slide_x == 0 && p->slide_y == 0 && (command & cmd_action) && p->state == ready) find_matches(p);
}
