// The spine: player records, the frame counters, the tick wait and the panels on the screen.
#include <chrono>
#include <cstring>
#include <thread>

#include "board_fixture.h"
#include "game/frame.h"
#include "platform/ticks.h"
#include "game/flow.h"
#include "state/match.h"
#include "platform/window.h"

namespace {

using Spine = BoardTest;

TEST_F(Spine, NewRecordStartsReadyEmptyAndUnloaded) {
    // Everything zero (an empty board in row mode, ready, nothing queued or loaded) but the index
    // and the markers of no super cup, no character and no last slide.
    Player* fresh = create_player(1);
    Player expected;
    std::memset(&expected, 0, sizeof expected);
    expected.index = 1;
    expected.super_col = no_super_col;
    expected.loaded_character = no_character;
    expected.ai_last = ai_no_slide;
    EXPECT_EQ(std::memcmp(fresh, &expected, sizeof expected), 0);
    destroy_player(fresh);
}

TEST_F(Spine, ReleasingCharacterDataEmptiesEverySlot) {
    release_character_data(p);  // the fixture's character, before every slot is filled afresh
    for (int k = 0; k < max_anims; k++) p->anims[k] = Anim{create_bitmap(8, 8), k};
    for (int k = 0; k < max_sfx; k++) p->sfx[k] = create_sample(16, 0, 22050, 8);
    p->cues[29] = Cue{3, 4, 5};
    release_character_data(p);
    for (int k = 0; k < max_anims; k++) EXPECT_EQ(p->anims[k].sheet, nullptr) << "sheet slot " << k;
    for (int k = 0; k < max_sfx; k++) EXPECT_EQ(p->sfx[k], nullptr) << "sample slot " << k;
    EXPECT_EQ(p->cues[29].anim, 0);
    release_character_data(p);  // nothing left: a second release is harmless
}

TEST_F(Spine, ClearBoardEmptiesCellsAndMarkersOnly) {
    set_board(p, {"123123", "231231", "312312", "123123", "231231",
                  "312312", "123123", "abcabc", "312312", "123123"});
    p->group[cell_at(2, 5)] = 3;
    p->cursor_row = 4;
    p->super_col = 3;
    p->super_row = 6;
    p->state = refilling;
    p->score = 77;
    Player before;
    std::memcpy(&before, p, sizeof before);
    clear_board(p);
    for (int i = 0; i < board_cells; i++) ASSERT_TRUE(p->cells[i] == 0 && p->group[i] == 0 && p->junk[i] == 0);
    // Nothing else changes: with the copy's board emptied too, the two records are the same.
    std::memset(before.cells, 0, sizeof before.cells);
    std::memset(before.group, 0, sizeof before.group);
    std::memset(before.junk, 0, sizeof before.junk);
    EXPECT_EQ(std::memcmp(p, &before, sizeof before), 0);
}

TEST_F(Spine, EndRoundMarksEveryCupToBreakNow) {
    set_board(p, {"......", "......", "......", "......", "......",
                  "......", "...1..", "..23..", ".a123.", "123123"});
    p->group[cell_at(0, 0)] = 4;  // an empty cell keeps its marker
    p->pop_frame = 3;
    end_round(p);
    EXPECT_EQ(p->state, round_over);
    EXPECT_EQ(p->pop_frame, 0);
    EXPECT_EQ(p->group[cell_at(0, 0)], 4);
    for (int i = cell_at(0, 1); i < board_cells; i++) EXPECT_EQ(p->group[i], p->cells[i] ? 1 : 0) << "cell " << i;
}

TEST_F(Spine, BattleFramesStepTheCounters) {
    const int8_t half[] = {1, 0, 1, 0}, anim[] = {0, 1, 1, 2};
    for (int f = 0; f < 4; f++) {
        battle_frame();
        EXPECT_EQ(match.half_tick, half[f]) << "frame " << f;
        EXPECT_EQ(match.anim_tick, anim[f]) << "frame " << f;
    }
    // The decoration phase runs through a cycle of 18 frames.
    for (int f = 4; f < 18; f++) battle_frame();
    EXPECT_EQ(match.half_tick, 0);
    EXPECT_EQ(match.anim_tick, 0);
}

TEST_F(Spine, WaitForTickConsumesTicks) {
    tick_count = 3;  // a slow frame: the surplus ticks are dropped and the wait returns at once
    wait_for_tick();
    EXPECT_EQ(tick_count.load(), 0);

    std::thread timer([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        timer_tick();
    });
    wait_for_tick();  // returns only once the tick has come
    timer.join();
    EXPECT_EQ(tick_count.load(), 0);
}

// The number of window pixels that are not their game pixel of the panels, enlarged n times.
int pixels_unlike_the_panels(BITMAP* window, int n) {
    int unlike = 0;
    for (int y = 0; y < 384 * n; y++) {
        BITMAP* panel = y < 192 * n ? top_panel : bottom_panel;
        for (int x = 0; x < 256 * n; x++)
            unlike += _getpixel16(window, x, y) != _getpixel16(panel, x / n, (y / n) % 192);
    }
    return unlike;
}

TEST_F(Spine, TheWindowShowsThePanelsEnlargedFrameAfterFrameAtEveryScale) {
    // Three frames: two colours, then small changes at the edges and in the middle of both panels
    // (sent on alone when the window is enlarged), then the first frame again.
    void (*const first_frame)() = [] {
        clear_to_color(top_panel, makecol(200, 40, 40));
        clear_to_color(bottom_panel, makecol(40, 40, 200));
    };
    void (*const changes)() = [] {
        putpixel(top_panel, 0, 0, makecol(255, 255, 255));
        rectfill(top_panel, 100, 50, 140, 52, makecol(0, 0, 0));
        line(top_panel, 10, 120, 60, 130, makecol(0, 0, 0));  // rows of one band, each changed elsewhere
        putpixel(top_panel, 255, 191, makecol(255, 255, 0));
        putpixel(bottom_panel, 0, 0, makecol(0, 255, 255));
        rectfill(bottom_panel, 250, 100, 255, 191, makecol(255, 255, 255));
    };
    BITMAP* const game_screen = screen;
    for (int n = 1; n <= largest_window_scale; n++) {
        BITMAP* window = create_bitmap(256 * n, 384 * n);
        clear_to_color(window, makecol(0, 255, 0));
        screen = window;
        window_scale = n;
        forget_window();
        for (void (*draw)() : {first_frame, changes, first_frame}) {
            draw();
            show_panels();
            EXPECT_EQ(pixels_unlike_the_panels(window, n), 0) << "scale " << n;
        }
        screen = game_screen;
        destroy_bitmap(window);
    }
}

TEST_F(Spine, BattleFrameShowsBackgroundBoardsAndHud) {
    p->score = 42;
    battle_frame();
    // The background between the boards, the bottom panel's background under the scores, score
    // digits 0 0 0 0 4 2 from (8, 8) of the bottom panel, the balance bar's outline.
    expect_pixels(screen, {{128, 4, bg_colour()},
                           {128, 192 + 100, char_bg_colour()},
                           {8 + 4 * 16 + 8, 192 + 16, digit_tile(4)},
                           {8 + 5 * 16 + 8, 192 + 16, digit_tile(2)},
                           {64, 192 + 28, in_16_bit(128, 128, 128)}});
}

TEST_F(Spine, ResultFramePutsEachBannerOverItsBoard) {
    for (uint8_t who : {uint8_t{0}, uint8_t{1}}) {
        match.winner = who;
        match.banner_y = 60;
        result_frame();
        const Rgb won = winlose_half(0), lost = winlose_half(48);
        expect_pixels(screen, {{60, 80, who == 0 ? won : lost}, {190, 80, who == 0 ? lost : won}});
    }
    match.banner_y = -40;  // clipped at the top edge: only its last 8 rows show
    match.winner = 0;
    result_frame();
    expect_pixels(screen, {{130, 7, winlose_half(48)}, {130, 9, bg_colour()}});
}

TEST_F(Spine, IntroFrameShowsTheWordAndTheRoundDigitOnly) {
    set_board(p, std::vector<std::string>(board_rows, "111111"));
    match.round_number = 3;
    intro_frame();
    // The word, the digit, and no board; nor are the counters moved.
    expect_pixels(screen, {{100, 40, round_strip(0)}, {100, 100, round_strip(3 * 64)}, {20, 20, bg_colour()}});
    EXPECT_EQ(match.half_tick, 0);
}

}  // namespace
