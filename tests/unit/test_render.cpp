// The board pictures: cells and their tiles, sliding lines, the frame, texts and stars.
#include <algorithm>
#include <array>

#include "board/render.h"
#include "board/tiles.h"
#include "board_fixture.h"
#include "game/frame.h"
#include "platform/ticks.h"

namespace {

const Rgb white = {255, 255, 255};

class Render : public BoardTest {
protected:
    // One frame of drawing: the background, then the board.
    void draw(Player* who) {
        blit(bg, top_panel, 0, 0, 0, 0, screen_width, panel_height);
        draw_board(who);
    }

    // The two-pixel white frame directly around the area (l, t)-(r, b): every pixel of the one-pixel
    // outlines 1 and 2 pixels outside it white, none of those just outside the frame and just inside.
    void expect_frame(int l, int t, int r, int b) {
        auto white_at = [](int x, int y) { return pixel(top_panel, x, y) == white; };
        for (int d = 0; d <= 3; d++) {
            const int x1 = l - d, y1 = t - d, x2 = r + d, y2 = b + d;
            int white_pixels = 0;
            for (int x = x1; x <= x2; x++) white_pixels += white_at(x, y1) + white_at(x, y2);
            for (int y = y1 + 1; y < y2; y++) white_pixels += white_at(x1, y) + white_at(x2, y);
            const int outline = 2 * (x2 - x1 + 1) + 2 * (y2 - y1 - 1);
            EXPECT_EQ(white_pixels, d == 1 || d == 2 ? outline : 0) << "outline " << d << " pixels outside";
        }
    }
};

TEST_F(Render, FrameMarksTheCursorLineOfAReadyBoardAndTheWholeBoardOtherwise) {
    p->cursor_row = 3;
    draw(p);
    expect_frame(16, 64, 111, 79);  // outer (14, 62)-(113, 81), inner (15, 63)-(112, 80)

    p->axis = column_mode;
    p->cursor_col = 2;
    draw(p);
    expect_frame(48, 16, 63, 175);  // outer (46, 14)-(65, 177)

    Player* right = players[1];
    right->cursor_row = 9;
    draw(right);
    expect_frame(144, 160, 239, 175);  // outer (142, 158)-(241, 177)

    const BoardState busy[] = {breaking, falling, settled, refilling, round_over};
    for (BoardState state : busy) {
        SCOPED_TRACE(static_cast<int>(state));
        p->state = state;
        draw(p);
        expect_frame(16, 16, 111, 175);  // outer (14, 14)-(113, 177)
        right->state = state;
        draw(right);
        expect_frame(144, 16, 239, 175);  // outer (142, 14)-(241, 177)
    }
}

// Row 2 holds a cup of each type and a junk cup of each type, so every column has its own tile.
const std::vector<std::string> tile_board = top_rows({"......", "3.....", "123abc"});

TEST_F(Render, SlidingRowIsDrawnAtItsOffsetWithTheWrappedCell) {
    set_board(p, tile_board);
    match.anim_tick = 4;  // type 2 shimmers
    const Rgb tile[6] = {cups_tile(0, 16),  cups_tile(32, 32), cups_tile(0, 48),
                         cups_tile(64, 16), cups_tile(64, 32), cups_tile(64, 48)};
    p->cursor_row = 2;
    // Moving left (+4): column 0 also enters at the right edge; moving right (-4): column 5 also
    // enters at the left edge. Each x of row 2's pixel line and the column whose tile shows there.
    const struct {
        int slide_x;
        std::vector<std::array<int, 2>> shown;
    } cases[] = {{4, {{0, 0}, {11, 0}, {12, 1}, {91, 5}, {92, 0}, {95, 0}}},
                 {-4, {{0, 5}, {3, 5}, {4, 0}, {83, 4}, {84, 5}, {95, 5}}}};
    for (const auto& c : cases) {
        p->slide_x = c.slide_x;
        draw(p);
        for (const auto& s : c.shown)
            EXPECT_EQ(pixel(p->board_bitmap, s[0], 40), tile[s[1]]) << "slide " << c.slide_x << ", x " << s[0];
        EXPECT_EQ(pixel(p->board_bitmap, 0, 24), cups_tile(0, 48));  // the row above stays in place
    }
    // The board is placed at (16, 16) on the top panel.
    EXPECT_EQ(pixel(top_panel, 16, 56), tile[5]);
    EXPECT_EQ(pixel(top_panel, 20, 56), tile[0]);
}

TEST_F(Render, SlidingColumnShowsTheRestingColumnMovedByItsOffsetWrappingRound) {
    // Column 2 holds a different tile in every row and its neighbours' (row 9 meets row 0).
    set_board(p, {"..1...", "..2...", "..3...", "..a...", "..b...", "..c...", "..1...", "..2...", "..3...", "..b..."});
    match.anim_tick = 0;  // type 1 shimmers
    BITMAP* b = p->board_bitmap;
    p->axis = column_mode;
    p->cursor_col = 2;
    draw(p);
    std::vector<Rgb> resting;
    for (int y = 0; y < board_height; y++) resting.push_back(pixel(b, 40, y));
    // Moving up (+) or down (-): every line y shows the resting line y + offset, round the column.
    for (const int offset : {4, 8, 12, -4, -8, -12}) {
        p->slide_y = offset;
        draw(p);
        for (int y = 0; y < board_height; y++)
            ASSERT_EQ(pixel(b, 40, y), resting[(y + offset + board_height) % board_height]) << offset << ", y " << y;
    }
    // An empty cell of the sliding column is drawn from tile (0, 0); a still one stays transparent.
    set_board(p, {"..1...", "..2...", "..3...", "..1...", "..2...", "......", "..3...", "..1...", "..2...", "..b..."});
    p->slide_y = 8;
    draw(p);
    expect_pixels(b, {{40, 80, cups_tile(0, 0)}, {8, 80, colour_of(makecol(255, 0, 255))}});
    EXPECT_EQ(pixel(top_panel, 24, 96), bg_colour());
}

TEST_F(Render, OneCupTypeShimmersAtATimeAndJunkNever) {
    set_board(p, tile_board);
    struct Case {
        int tick;
        int sx[3];  // source x of the still cups of types 1, 2, 3
    };
    const Case cases[] = {{0, {16, 0, 0}}, {2, {48, 0, 0}}, {4, {0, 32, 0}}, {6, {0, 0, 16}}, {8, {0, 0, 48}}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.tick);
        match.anim_tick = k.tick;
        draw(p);
        for (int type = 1; type <= 3; type++) {
            EXPECT_EQ(pixel(p->board_bitmap, 16 * (type - 1) + 8, 40), cups_tile(k.sx[type - 1], 16 * type));
            EXPECT_EQ(pixel(p->board_bitmap, 16 * (type + 2) + 8, 40), cups_tile(64, 16 * type));  // junk
        }
    }
    // An empty cell with a junk marker takes the junk tile of row 0 when it is drawn.
    p->junk[cell_at(0, 0)] = 1;
    draw_cell(p, p->board_bitmap, 0, 0, 0, 0);
    EXPECT_EQ(pixel(p->board_bitmap, 8, 8), cups_tile(64, 0));
}

TEST_F(Render, SuperCupBadgeShowsTheMeterAtItsOffset) {
    set_board(p, top_rows({"......", "......", "......", "......", "......", "..3..."}));
    p->super_col = 2;
    p->super_row = 5;
    match.anim_tick = 4;  // badge picture row 1
    BITMAP* b = p->board_bitmap;
    for (int meter : {0, 4}) {
        SCOPED_TRACE(meter);
        p->super_meter = meter;
        draw(p);
        // The 8 x 8 badge at (5, 4) inside the cell, the cup around it.
        const Rgb badge = super_tile(8 * meter, 8), cup = cups_tile(0, 48);
        expect_pixels(b, {{37, 84, badge}, {44, 91, badge}, {36, 84, cup}, {45, 91, cup}, {37, 83, cup},
                          {44, 92, cup}});
    }
}

TEST_F(Render, StarsComboAndSuperTextsStandOnEachPlayersSide) {
    match.anim_tick = 5;  // star picture row 1
    p->super_meter = 3;
    draw(p);
    const Rgb star = super_tile(0, 8), bg = bg_colour();
    expect_pixels(top_panel,
                  {{117, 20, star}, {124, 27, star}, {117, 36, super_tile(8, 8)}, {117, 52, super_tile(16, 8)}});
    // Only three stars; at chain 0 no combo text, and no super text.
    expect_pixels(top_panel, {{117, 68, bg}, {5, 100, bg}, {5, 40, bg}});

    Player* right = players[1];
    right->super_meter = 1;
    right->chain = 3;
    right->super_active = 1;
    draw(right);
    expect_pixels(top_panel, {{131, 20, star}, {128, 96, combo_strip(128)}, {255, 159, combo_strip(128)},
                              {127, 100, bg}, {128, 32, combo_strip(448)}, {255, 95, combo_strip(448)}});

    // Chains longer than seven keep the last chain text, never the super text.
    for (int chain : {1, 7, 8, 12}) {
        SCOPED_TRACE(chain);
        p->chain = chain;
        draw(p);
        const Rgb strip = combo_strip(64 * (std::min(chain, 7) - 1));
        expect_pixels(top_panel, {{0, 96, strip}, {127, 159, strip}});
    }

    p->state = round_over;  // the round-over pop shows no stars
    draw(p);
    EXPECT_EQ(pixel(top_panel, 117, 20), bg_colour());
}

TEST_F(Render, CellValuesOutsideTheCupTypesNeverDrawFromOutsideTheSheets) {
    set_board(p, tile_board);
    const int bad[] = {4, -1, 99, 5};
    for (int k = 0; k < 4; k++) p->cells[cell_at(k, 6)] = bad[k];
    p->cells[cell_at(5, 8)] = 5;  // popping: type 5 would take the flash row of the pop sheet
    p->group[cell_at(5, 8)] = 1;
    std::vector<Rgb> sheet;
    for (int sy = 0; sy < 64; sy += 16)
        for (int sx = 0; sx < 80; sx += 16) sheet.push_back(cups_tile(sx, sy));

    for (int f = 0; f < 7; f++) {
        match.anim_tick = f;
        draw(p);
        for (int k = 0; k < 4; k++) {
            const Rgb seen = pixel(p->board_bitmap, 16 * k + 8, 104);
            EXPECT_NE(std::find(sheet.begin(), sheet.end(), seen), sheet.end()) << "value " << bad[k] << " frame " << f;
        }
        for (int sx = 0; sx < 160; sx += 32) {
            EXPECT_FALSE(pixel(p->board_bitmap, 88, 136) == pop_tile(sx, 128)) << "frame " << f;
            EXPECT_FALSE(pixel(p->board_bitmap, 88, 136) == pop_tile(sx, 96)) << "frame " << f;
        }
    }
    EXPECT_EQ(p->cells[cell_at(5, 8)], cup_empty);  // it still leaves the board
}

}  // namespace
