// Falling one row per frame, and the refill of entirely empty rows with its sliding strip.
#include <algorithm>
#include <cstdlib>

#include "board/gravity.h"
#include "board_fixture.h"
#include "game/frame.h"
#include "platform/ticks.h"

namespace {

// A board whose first `empty` rows are empty and the rest hold the diagonal pattern (no match).
std::vector<std::string> board_with_empty_rows(int empty) {
    std::vector<std::string> rows = diagonal_board;
    for (int r = 0; r < empty; r++) rows[r] = "......";
    return rows;
}

class Gravity : public BoardTest {};

TEST_F(Gravity, StackFallsOneRowPerFrameWithJunkAndSuperCup) {
    set_board(p, bottom_rows({"..1...", "..2...", "..a...", "..3...", "......", "3.....", "......", "1.2.13"}));
    p->super_col = 2;
    p->super_row = 3;
    p->state = falling;
    // Each frame drops every hanging cup one row, the super cup's badge with it (row 3 to 6).
    const std::vector<std::string> frames[] = {
        bottom_rows({"..1...", "..2...", "..a...", "..3...", "......", "3.....", "1.2.13"}),
        bottom_rows({"..1...", "..2...", "..a...", "..3...", "3.....", "1.2.13"}),
        bottom_rows({"..1...", "..2...", "..a...", "3.3...", "1.2.13"}),
    };
    for (int f = 0; f < 3; f++) {
        EXPECT_TRUE(fall_step(p));
        EXPECT_EQ(board_text(p), lines(frames[f]));
        EXPECT_EQ(p->super_row, 4 + f);
        EXPECT_EQ(p->state, falling);
    }
    // The fourth frame moves nothing and settles the board.
    EXPECT_FALSE(fall_step(p));
    EXPECT_EQ(board_text(p), lines(frames[2]));
    EXPECT_EQ(p->super_col, 2);
    EXPECT_EQ(p->super_row, 6);
    EXPECT_EQ(p->state, settled);
}

TEST_F(Gravity, RefillFillsTheEmptyRowsAndPaintsTheStrip) {
    std::vector<std::string> rows = board_with_empty_rows(3);
    rows[3] = "....2.";  // holds a cup: not refilled, its empty cells stay empty
    set_board(p, rows);
    p->junk[cell_at(3, 1)] = 1;  // a stale marker on an empty cell is cleared by the refill
    p->state = refilling;
    match.anim_tick = 8;  // type 3 shows its last shimmer picture (x 48), the others their still one

    // One random number per new cell, rows first then columns; then the super cup's column and row.
    Random dice;
    seed_random(&dice, 5);
    std::vector<std::string> expected = rows;
    for (int r = 0; r < 3; r++)
        for (char& cup : expected[r]) cup = static_cast<char>('1' + next_random(&dice) % 3);
    const int super_col = next_random(&dice) % 6, super_row = next_random(&dice) % 3;

    seed_random(&match.random, 5);
    refill_step(p);
    EXPECT_EQ(board_text(p), lines(expected));  // new cups without junk markers, the rest as it was
    for (int r = 0; r < 3; r++)  // the strip shows each new cup (outside the badge area)
        for (int c = 0; c < board_cols; c++) {
            const int type = expected[r][c] - '0';
            const Rgb tile = cups_tile(type == 3 ? 48 : 0, 16 * type);
            EXPECT_EQ(pixel(p->refill_strip, 16 * c + 1, 16 * r + 1), tile) << c << "," << r;
        }
    EXPECT_EQ(p->refill_rows, 3);
    EXPECT_EQ(p->refill_offset, 96);
    EXPECT_EQ(p->state, refilling);
    EXPECT_EQ(p->super_col, super_col);
    EXPECT_EQ(p->super_row, super_row);
    // The badge is painted into the strip; the rows below the new ones stay transparent.
    const Rgb magenta = colour_of(makecol(255, 0, 255));
    expect_pixels(p->refill_strip,
                  {{16 * super_col + 6, 16 * super_row + 5, super_tile(0, 16)}, {0, 48, magenta}, {95, 159, magenta}});
}

// Fills two rows, then checks every frame of the strip's slide against the board picture.
void check_strip_slide(Player* p) {
    set_board(p, board_with_empty_rows(2));
    p->state = refilling;
    const size_t heard = sounds_started().size();
    refill_step(p);
    ASSERT_EQ(p->refill_offset, 96);
    // The refill sound starts once, on the board's own side.
    ASSERT_EQ(sounds_started().size(), heard + 1);
    EXPECT_EQ(sounds_started().back().sample, refill_sound);
    EXPECT_EQ(sounds_started().back().pan > 128, p->index == 1);
    const int old = makecol(10, 200, 10);  // the previous frame's picture
    clear_to_color(p->board_bitmap, old);
    const int y = 20, below = 32;          // a line in the new rows, the first line under them
    for (int offset = 88; offset >= 0; offset -= 8) {
        refill_step(p);
        ASSERT_EQ(p->refill_offset, offset);
        ASSERT_EQ(p->state, refilling);
        EXPECT_EQ(pixel(p->board_bitmap, 50, below), colour_of(old));
        // The strip's left edge lands at x = offset on the right board, 6 - offset on the left one.
        const int x = p->index == 1 ? offset : 6 - offset;
        const int first = std::max(0, x), last = std::min(board_width - 1, x + board_width - 1);
        EXPECT_EQ(pixel(p->board_bitmap, first, y), pixel(p->refill_strip, first - x, y));
        EXPECT_EQ(pixel(p->board_bitmap, last, y), pixel(p->refill_strip, last - x, y));
        // Beside the strip's leading edge the previous picture still shows.
        const int beside = p->index == 1 ? first - 1 : last + 1;
        if (beside >= 0 && beside < board_width) {
            EXPECT_EQ(pixel(p->board_bitmap, beside, y), colour_of(old));
        }
    }
    refill_step(p);  // the fourteenth frame: no row is empty any more
    EXPECT_EQ(p->state, ready);
    EXPECT_EQ(p->refill_rows, 0);
    EXPECT_EQ(sounds_started().size(), heard + 1);
}

TEST_F(Gravity, StripSlidesInFromEachBoardsOwnEdgeInTwelveFrames) {
    for (Player* board : players) {
        SCOPED_TRACE(board->index == 0 ? "left board" : "right board");
        check_strip_slide(board);
    }
}

TEST_F(Gravity, SuperCupLandsOnANewCupOnlyWhenTheRefillOutgrowsTheMeter) {
    struct Case {
        int empty_rows, meter, super_col;  // super_col before the refill
        bool placed;
    };
    const Case cases[] = {
        {4, 4, no_super_col, false},  // four stars want a refill of at least five rows
        {5, 4, no_super_col, true},
        {1, 0, no_super_col, true},   // an empty meter takes any refill
        {10, 0, 3, false},            // a super cup already on the board stays where it is
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.empty_rows << " rows, meter " << k.meter);
        set_board(p, board_with_empty_rows(k.empty_rows));
        p->state = refilling;
        p->super_meter = k.meter;
        p->super_col = k.super_col;
        p->super_row = k.super_col == no_super_col ? 11 : 8;
        refill_step(p);
        if (k.placed) {
            EXPECT_GE(p->super_col, 0);
            EXPECT_LT(p->super_col, board_cols);
            EXPECT_GE(p->super_row, 0);
            EXPECT_LT(p->super_row, k.empty_rows);
        } else {
            EXPECT_EQ(p->super_col, k.super_col);
            EXPECT_EQ(p->super_row, k.super_col == no_super_col ? 11 : 8);
        }
        p->refill_offset = 0;
    }
}

TEST_F(Gravity, OpeningFillCopiesTheOpponentsPatternOnce) {
    Player* right = players[1];
    const std::vector<std::string> pattern = {"112233", "233112", "331122", "122331", "223311",
                                              "311223", "112233", "233112", "331122", "122331"};
    set_pattern(players[0], pattern);
    set_board(right, board_with_empty_rows(10));
    for (int i = 0; i < board_cells; i++) right->junk[i] = 1;
    right->state = refilling;
    right->first_fill = 1;

    refill_step(right);
    EXPECT_EQ(board_text(right), lines(pattern));  // cell for cell, no junk markers
    EXPECT_EQ(right->first_fill, 0);
    EXPECT_EQ(right->refill_rows, 10);
    EXPECT_NE(right->super_col, no_super_col);

    // first_fill is consumed by the next refill step whatever it does, even when nothing is empty.
    right->refill_offset = 0;
    right->first_fill = 1;
    refill_step(right);
    EXPECT_EQ(right->state, ready);
    EXPECT_EQ(right->first_fill, 0);
}

}  // namespace
