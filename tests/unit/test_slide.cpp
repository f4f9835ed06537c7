// The cursor, row and column slides with their four-frame timing and wrap-round, and the action.
#include <algorithm>
#include <tuple>

#include "board/slide.h"
#include "board_fixture.h"

namespace {

class Slide : public BoardTest {
protected:
    // One frame of a ready board with this command.
    void frame(uint8_t command) {
        p->command = command;
        move_and_slide(p);
    }

    // A whole slide: the command, then three frames without one. Returns the line's offset after
    // each frame, and checks that the cells stay as they were until the commit.
    std::vector<int> slide(uint8_t command) {
        const std::string before = board_text(p);
        std::vector<int> offsets;
        for (int f = 0; f < 4; f++) {
            EXPECT_EQ(board_text(p), before) << "frame " << f;
            frame(f == 0 ? command : 0);
            offsets.push_back(p->axis == row_mode ? p->slide_x : p->slide_y);
        }
        return offsets;
    }
};

const std::vector<int> forward = {4, 8, 12, 0}, back = {-4, -8, -12, 0};
const std::vector<std::string> row_board = top_rows({"123123", "231231", "312312", "123123", "1a2.3b", "231231"});

TEST_F(Slide, RowSlideTakesFourFramesAndWrapsWithJunkAndSuperCup) {
    set_board(p, row_board);
    p->cursor_row = 4;
    p->super_col = 0;  // on the cup in column 0 of row 4
    p->super_row = 4;

    // Left: three frames of movement with the cells untouched, the commit on the fourth.
    EXPECT_EQ(slide(cmd_left), forward);
    EXPECT_EQ(board_text(p), lines(top_rows({"123123", "231231", "312312", "123123", "a2.3b1", "231231"})));
    EXPECT_EQ(p->super_col, 5);
    EXPECT_EQ(p->super_row, 4);

    // Right, twice: column 5 wraps to column 0.
    EXPECT_EQ(slide(cmd_right), back);
    EXPECT_EQ(slide(cmd_right), back);
    EXPECT_EQ(board_text(p), lines(top_rows({"123123", "231231", "312312", "123123", "b1a2.3", "231231"})));
    EXPECT_EQ(p->super_col, 1);
    EXPECT_EQ(p->cursor_row, 4);
}

TEST_F(Slide, ColumnSlideTakesFourFramesAndWrapsWithJunkAndSuperCup) {
    set_board(p, {"1.c..2", "2.a..1", "3....3", "1.1..2", "2.3..1", "3.2..3", "1....2", "2.1..1", "3.3..3", "1.2..2"});
    p->axis = column_mode;
    p->cursor_col = 2;
    p->super_col = 2;
    p->super_row = 0;

    EXPECT_EQ(slide(cmd_up), forward);
    EXPECT_EQ(board_text(p), lines({"1.a..2", "2....1", "3.1..3", "1.3..2", "2.2..1",
                                    "3....3", "1.1..2", "2.3..1", "3.2..3", "1.c..2"}));
    EXPECT_EQ(p->super_row, 9);  // the top cup wrapped to the bottom, with its badge

    // Down returns it, and down again moves the bottom cup to row 0.
    EXPECT_EQ(slide(cmd_down), back);
    EXPECT_EQ(slide(cmd_down), back);
    EXPECT_EQ(board_text(p), lines({"1.2..2", "2.c..1", "3.a..3", "1....2", "2.1..1",
                                    "3.3..3", "1.2..2", "2....1", "3.1..3", "1.3..2"}));
    EXPECT_EQ(p->super_col, 2);
    EXPECT_EQ(p->super_row, 1);
    EXPECT_EQ(p->cursor_col, 2);
}

TEST_F(Slide, SlidesLeaveAMissingSuperCupMissing) {
    set_board(p, row_board);
    p->cursor_row = 4;
    p->super_col = no_super_col;
    // A row naming the sliding one, but no super cup; then row 11, as after a broken super cup.
    for (const auto& [axis, command, row] : {std::tuple{row_mode, cmd_left, 4}, {column_mode, cmd_down, 11}}) {
        p->axis = axis;
        p->super_row = row;
        slide(command);
        EXPECT_EQ(p->super_col, no_super_col);
        EXPECT_EQ(p->super_row, row);
    }
}

TEST_F(Slide, CursorMovesAndWrapsOnItsAxis) {
    // Row mode: up wraps from 0 to 9, down from 9 to 0, both together stay.
    frame(cmd_up);
    EXPECT_EQ(p->cursor_row, 9);
    frame(cmd_down);
    EXPECT_EQ(p->cursor_row, 0);
    frame(cmd_up | cmd_down);
    EXPECT_EQ(p->cursor_row, 0);

    // Left and right together start no slide, but down in the same command moves the cursor row.
    frame(cmd_left | cmd_right | cmd_down);
    EXPECT_EQ(p->slide_x, 0);
    EXPECT_EQ(p->cursor_row, 1);
    EXPECT_EQ(p->cursor_col, 0);

    // Column mode: left wraps from 0 to 5, right from 5 to 0; up and down together start nothing.
    frame(cmd_toggle);
    EXPECT_EQ(p->axis, column_mode);
    frame(cmd_left);
    EXPECT_EQ(p->cursor_col, 5);
    frame(cmd_right);
    EXPECT_EQ(p->cursor_col, 0);
    frame(cmd_up | cmd_down | cmd_right);
    EXPECT_EQ(p->slide_y, 0);
    EXPECT_EQ(p->slide_x, 0);
    EXPECT_EQ(p->cursor_col, 1);
    EXPECT_EQ(p->cursor_row, 1);
    frame(cmd_toggle);
    EXPECT_EQ(p->axis, row_mode);
}

TEST_F(Slide, TheSlidingLineCannotChangeUnderIt) {
    set_board(p, row_board);
    p->cursor_row = 4;
    frame(cmd_left);
    frame(cmd_down);  // row mode: the cursor row is held while its row slides
    EXPECT_EQ(p->cursor_row, 4);
    EXPECT_EQ(p->slide_x, 8);
    frame(cmd_toggle | cmd_right);  // the toggle works mid-slide; the column cursor is free
    EXPECT_EQ(p->axis, column_mode);
    EXPECT_EQ(p->slide_x, 12);
    EXPECT_EQ(p->cursor_col, 1);
    frame(cmd_up | cmd_left);  // the commit frame starts no new slide, but moves the cursor
    EXPECT_EQ(p->slide_x, 0);
    EXPECT_EQ(p->slide_y, 0);
    EXPECT_EQ(p->cursor_col, 0);
    EXPECT_EQ(board_text(p), lines(top_rows({"123123", "231231", "312312", "123123", "a2.3b1", "231231"})));
    frame(cmd_up);  // the fifth frame may start the next slide
    EXPECT_EQ(p->slide_y, 4);
}

TEST_F(Slide, ActionLooksForMatchesOnlyWhenNothingSlides) {
    std::vector<std::string> start = diagonal_board;
    start[9] = "1112.1";
    set_board(p, start);
    frame(cmd_action);  // nothing to match: nothing changes
    EXPECT_EQ(marked_cells(p), 0);
    EXPECT_EQ(board_text(p), lines(start));
    EXPECT_EQ(p->state, ready);

    p->cursor_row = 9;
    frame(cmd_right | cmd_action);  // starts the slide; the action is ignored
    frame(cmd_action);
    frame(cmd_action);
    EXPECT_EQ(marked_cells(p), 0);
    frame(cmd_action);  // the commit frame: the row now reads 1 1 1 1 2 . and is matched
    EXPECT_EQ(board_text(p).substr(9 * 7), "11112.\n");
    EXPECT_EQ(marked_cells(p), 4);
    for (int c = 0; c < 4; c++) EXPECT_EQ(p->group[cell_at(c, 9)], 1);

    // While a line slides the action finds nothing, even with a match on the board.
    std::fill(p->group, p->group + board_cells, 0);
    p->cursor_row = 0;
    frame(cmd_right | cmd_action);
    frame(cmd_action);
    EXPECT_EQ(marked_cells(p), 0);
}

}  // namespace
