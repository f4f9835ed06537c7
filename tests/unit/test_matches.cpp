// Match detection: lines of four, 2 x 2 squares and the pop groups they are numbered into.
#include <algorithm>

#include "board/matches.h"
#include "board_fixture.h"

namespace {

class Matches : public BoardTest {
protected:
    // Fills the board, runs the detection and returns its count.
    int find(const std::vector<std::string>& rows) {
        set_board(p, rows);
        return find_matches(p);
    }

    // The group markers as ten lines of six characters: '.' for 0, else the group number.
    std::string groups() const {
        Player marks = *p;
        std::copy(p->group, p->group + board_cells, marks.cells);
        std::fill(marks.junk, marks.junk + board_cells, 0);
        return board_text(&marks);
    }
};

const std::string no_marks = lines(top_rows({}));

TEST_F(Matches, BoardsWithoutLineOrSquareFindNothing) {
    EXPECT_EQ(find(diagonal_board), 0);
    EXPECT_EQ(groups(), no_marks);

    // Four in a row round the edge (columns 4, 5, 0, 1), four in a column round the edge (rows
    // 8, 9, 0, 1 of column 5), three in a column and three of a square: shapes never wrap round.
    EXPECT_EQ(find({"11..11", "2....1", "2.....", "2...33", "....3.",
                    "......", "......", "......", ".....1", "2....1"}), 0);
    EXPECT_EQ(groups(), no_marks);
}

TEST_F(Matches, LinesRunsSquaresAndBlocksAreOneGroupEach) {
    // A column of four and a separate square: two groups, in scan order.
    const std::vector<std::string> two = {"1.....", "1.....", "1.....", "1.....", "......",
                                          "......", "....22", "....22", "......", "......"};
    EXPECT_EQ(find(two), 2);
    EXPECT_EQ(groups(), lines(two));

    // A run of five in a column is one group.
    EXPECT_EQ(find(top_rows({"3.....", "3.....", "3.....", "3.....", "3.....", "1....."})), 1);
    EXPECT_EQ(groups(), lines(top_rows({"1.....", "1.....", "1.....", "1.....", "1....."})));

    // Six in a row fill it and are one group; a line at the bottom edge fits.
    EXPECT_EQ(find(bottom_rows({"222222", "......", "......", "......", "..3333"})), 2);
    EXPECT_EQ(groups(), lines(bottom_rows({"111111", "......", "......", "......", "..2222"})));

    // Blocks of overlapping squares are one group.
    EXPECT_EQ(find(top_rows({"111...", "111...", "111..."})), 1);
    EXPECT_EQ(groups(), lines(top_rows({"111...", "111...", "111..."})));

    EXPECT_EQ(find(bottom_rows({"....33", "....33", "....33"})), 1);  // 2 x 3 in the corner
    EXPECT_EQ(groups(), lines(bottom_rows({"....11", "....11", "....11"})));
}

TEST_F(Matches, LAndTShapesSplitIntoTwoGroupsAtTheSharedAnchor) {
    // L with the corner at the bottom left: the row's anchor moves into the second group.
    EXPECT_EQ(find(top_rows({"1.....", "1.....", "1.....", "1111.."})), 2);
    EXPECT_EQ(groups(), lines(top_rows({"1.....", "1.....", "1.....", "2222.."})));

    // L with the corner at the top left: the column keeps rows 1 to 3, the row takes the corner.
    EXPECT_EQ(find(top_rows({"2222..", "2.....", "2.....", "2....."})), 2);
    EXPECT_EQ(groups(), lines(top_rows({"2222..", "1.....", "1.....", "1....."})));

    // T: the stem's anchor in row 0 leaves the bar for the second group.
    EXPECT_EQ(find(top_rows({"1111..", ".1....", ".1....", ".1...."})), 2);
    EXPECT_EQ(groups(), lines(top_rows({"1211..", ".2....", ".2....", ".2...."})));
}

TEST_F(Matches, FullBoardOfOneTypeIsOneGroupButCountsTwoNumbers) {
    EXPECT_EQ(find(std::vector<std::string>(board_rows, "333333")), 2);
    EXPECT_EQ(groups(), lines(std::vector<std::string>(board_rows, "111111")));
}

TEST_F(Matches, JunkCupsMatchLikeOrdinaryCups) {
    // Junk of one type with ordinary cups of that type, and an all-junk square.
    const std::vector<std::string> board = top_rows({"a.....", "1.....", "a.....", "1.....", "......",
                                                     "......", "......", "..cc..", "..cc.."});
    EXPECT_EQ(find(board), 2);
    EXPECT_EQ(groups(), lines(top_rows({"1.....", "1.....", "1.....", "1.....", "......",
                                        "......", "......", "..22..", "..22.."})));
    EXPECT_EQ(board_text(p), lines(board));  // it only marks: cups and junk markers stay
}

}  // namespace
