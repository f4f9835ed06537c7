// Breaking: the pop animation group by group, score and balance per cup, the super meter.
#include "board/breaking.h"
#include "board/matches.h"
#include "board/render.h"
#include "board_fixture.h"
#include "game/flow.h"
#include "state/match.h"

namespace {

Rgb magenta() { return colour_of(makecol(255, 0, 255)); }

class Breaking : public BoardTest {
protected:
    // Runs break_step `frames` times and records the score and state after each.
    void run(int frames) {
        for (int f = 0; f < frames; f++) {
            break_step(p);
            scores.push_back(p->score);
            states += static_cast<char>('0' + p->state);
        }
    }
    std::vector<int> scores;
    std::string states;
};

const std::vector<std::string> square_board = bottom_rows({".22...", "122..3"});

TEST_F(Breaking, GroupPopsOverSixFramesScoresOnTheFirstThenTheBoardFalls) {
    for (int index = 0; index < 2; index++) {
        SCOPED_TRACE(index == 0 ? "left" : "right");
        p = players[index];
        match.balance = 0;
        set_board(p, square_board);
        ASSERT_EQ(find_matches(p), 1);

        for (int f = 0; f < 5; f++) {
            break_step(p);
            EXPECT_EQ(p->state, breaking);
            // Pop picture f of a type-2 cup, centred on each breaking cell.
            EXPECT_EQ(pixel(p->board_bitmap, 24, 136), pop_tile(32 * f, 32));
            EXPECT_EQ(p->score, 4);  // chain 0: one point per cup, all on the first frame
            EXPECT_EQ(match.balance, index == 0 ? 4 : -4);
        }
        EXPECT_EQ(pixel(p->board_bitmap, 2, 152), cups_tile(16, 16));  // a neighbour stays whole
        break_step(p);  // the sixth frame: the cups leave the board
        EXPECT_EQ(board_text(p).substr(8 * 7), "......\n1....3\n");
        EXPECT_EQ(p->state, breaking);
        EXPECT_EQ(pixel(p->board_bitmap, 24, 136), magenta());
        break_step(p);  // nothing breaks or waits any more
        EXPECT_EQ(p->state, falling);
        EXPECT_EQ(p->score, 4);
    }
}

TEST_F(Breaking, EachFurtherGroupStartsSevenFramesLaterAndChainsMultiply) {
    set_board(p, bottom_rows({"1.....", "1.....", "1...33", "1...33"}));
    ASSERT_EQ(find_matches(p), 2);
    p->chain = 1;  // the first cascade: two points per cup
    run(7);
    // The seventh frame moves the square up to group 1 and still draws its cups whole.
    EXPECT_EQ(pixel(p->board_bitmap, 72, 136), cups_tile(0, 48));
    EXPECT_EQ(p->group[cell_at(4, 8)], 1);
    run(7);
    EXPECT_EQ(scores, (std::vector<int>{8, 8, 8, 8, 8, 8, 8, 16, 16, 16, 16, 16, 16, 16}));
    EXPECT_EQ(states, "11111111111112");
    EXPECT_EQ(match.balance, 16);
}

TEST_F(Breaking, AGroupNumberWithoutCellsIsPassedOver) {
    set_board(p, square_board);
    for (int i : {cell_at(1, 8), cell_at(2, 8), cell_at(1, 9), cell_at(2, 9)}) p->group[i] = 1;
    p->group[cell_at(5, 9)] = 3;  // no cup holds number 2
    p->group[cell_at(0, 9)] = 3;
    run(10);
    EXPECT_EQ(scores, (std::vector<int>{4, 4, 4, 4, 4, 4, 4, 4, 6, 6}));
    EXPECT_EQ(states, "1111111111");
}

TEST_F(Breaking, JunkCupsBreakWithoutScoreOrBalance) {
    set_board(p, bottom_rows({"bb..3c", "bb..3c"}));
    ASSERT_EQ(find_matches(p), 2);
    break_step(p);
    EXPECT_EQ(p->state, breaking);
    EXPECT_EQ(pixel(p->board_bitmap, 16, 144), pop_tile(0, 32));  // it still pops
    EXPECT_EQ(p->score, 0);
    EXPECT_EQ(match.balance, 0);
    for (int f = 0; f < 7; f++) break_step(p);
    EXPECT_EQ(p->score, 2);  // the mixed square: only its two ordinary cups count
    EXPECT_EQ(match.balance, 2);
}

TEST_F(Breaking, TheSuperCupFillsAStarAndLeavesTheBoard) {
    set_board(p, square_board);
    find_matches(p);
    p->super_col = 2;
    p->super_row = 9;
    p->super_meter = 3;
    for (int f = 0; f < 6; f++) break_step(p);
    EXPECT_EQ(p->super_meter, 4);
    EXPECT_EQ(p->super_col, no_super_col);
    EXPECT_EQ(p->super_row, 11);
    EXPECT_EQ(p->super_active, 0);  // the fifth star starts the super (see test_attack.cpp)
}

TEST_F(Breaking, RoundOverPopsEveryCupWithoutScoreAndKeepsTheState) {
    set_board(p, square_board);
    p->super_col = 5;
    p->super_row = 9;
    p->super_meter = 2;
    end_round(p);
    run(8);
    EXPECT_EQ(scores, std::vector<int>(8, 0));
    EXPECT_EQ(states, "55555555");
    EXPECT_EQ(match.balance, 0);
    for (int i = 0; i < board_cells; i++) EXPECT_EQ(p->cells[i], cup_empty);
    EXPECT_EQ(p->super_meter, 3);  // the super cup counts in the round-over pop too
}

TEST_F(Breaking, NothingBreaksWhileTheRefillStripSlidesIn) {
    set_board(p, square_board);
    find_matches(p);
    p->refill_offset = 40;
    clear_to_color(p->board_bitmap, makecol(10, 200, 10));
    draw_board(p);
    EXPECT_EQ(p->pop_frame, 0);
    EXPECT_EQ(p->score, 0);
    EXPECT_EQ(p->state, ready);
    EXPECT_EQ(pixel(p->board_bitmap, 24, 136), colour_of(makecol(10, 200, 10)));
}

}  // namespace
