// The spine: player records, the frame counters, the tick wait and the panels on the screen.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "board/player.h"
#include "headless.h"
#include "present/hud.h"
#include "shell/assets.h"
#include "shell/frame.h"
#include "shell/match.h"

namespace {

class Spine : public ::testing::Test {
protected:
    void SetUp() override {
        start_headless();
        reset_game_state();
    }
};

TEST_F(Spine, NewRecordStartsReadyEmptyAndUnloaded) {
    Player* p = create_player(1);
    EXPECT_EQ(p->index, 1);
    EXPECT_EQ(p->state, ready);
    EXPECT_EQ(p->axis, row_mode);
    EXPECT_EQ(p->cursor_row, 0);
    EXPECT_EQ(p->cursor_col, 0);
    EXPECT_EQ(p->slide_x, 0);
    EXPECT_EQ(p->slide_y, 0);
    EXPECT_EQ(p->super_col, no_super_col);
    EXPECT_EQ(p->loaded_character, no_character);
    EXPECT_EQ(p->ai_last, ai_no_slide);
    // Fields a later step fills start as zero rather than garbage.
    EXPECT_EQ(p->score, 0);
    EXPECT_EQ(p->first_fill, 0);
    for (int i = 0; i < board_cells; i++) {
        EXPECT_EQ(p->cells[i], 0);
        EXPECT_EQ(p->pattern[i], 0);
        EXPECT_EQ(p->group[i], 0);
        EXPECT_EQ(p->junk[i], 0);
    }
    for (const Cue& c : p->cues) EXPECT_TRUE(c.anim == 0 && c.frame == 0 && c.sfx == 0);
    for (int32_t slot : p->anim_queue) EXPECT_EQ(slot, 0);
    for (int k = 0; k < max_anims; k++) EXPECT_EQ(p->anims[k].sheet, nullptr);
    for (int k = 0; k < max_sfx; k++) EXPECT_EQ(p->sfx[k], nullptr);
    destroy_player(p);
}

TEST_F(Spine, RecordsAreLinkedAsOpponents) {
    EXPECT_EQ(players[0]->opponent, players[1]);
    EXPECT_EQ(players[1]->opponent, players[0]);
    EXPECT_EQ(players[0]->index, 0);
    EXPECT_EQ(players[1]->index, 1);
}

TEST_F(Spine, ReleasingCharacterDataEmptiesEverySlot) {
    Player* p = players[0];
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
    Player* p = players[0];
    set_board(p, {"123123", "231231", "312312", "123123", "231231",
                  "312312", "123123", "abcabc", "312312", "123123"});
    p->group[cell_at(2, 5)] = 3;
    p->cursor_row = 4;
    p->cursor_col = 2;
    p->slide_x = 8;
    p->super_col = 3;
    p->super_row = 6;
    p->state = refilling;
    p->score = 77;
    clear_board(p);
    for (int i = 0; i < board_cells; i++) ASSERT_TRUE(p->cells[i] == 0 && p->group[i] == 0 && p->junk[i] == 0);
    EXPECT_EQ(p->cursor_row, 4);
    EXPECT_EQ(p->cursor_col, 2);
    EXPECT_EQ(p->slide_x, 8);
    EXPECT_EQ(p->super_col, 3);
    EXPECT_EQ(p->super_row, 6);
    EXPECT_EQ(p->state, refilling);
    EXPECT_EQ(p->score, 77);
}

TEST_F(Spine, EndRoundMarksEveryCupToBreakNow) {
    Player* p = players[0];
    end_round(p);
    EXPECT_EQ(p->state, round_over);
    for (int i = 0; i < board_cells; i++) EXPECT_EQ(p->group[i], 0);

    set_board(p, {"......", "......", "......", "......", "......",
                  "......", "...1..", "..23..", ".a123.", "123123"});
    p->group[cell_at(0, 0)] = 4;  // an empty cell keeps its marker
    p->pop_frame = 3;
    p->state = ready;
    end_round(p);
    EXPECT_EQ(p->state, round_over);
    EXPECT_EQ(p->pop_frame, 0);
    EXPECT_EQ(p->group[cell_at(0, 0)], 4);
    for (int c = 0; c < board_cols; c++)
        for (int r = 0; r < board_rows; r++) {
            const int i = cell_at(c, r);
            if (i == cell_at(0, 0)) continue;
            EXPECT_EQ(p->group[i], p->cells[i] ? 1 : 0) << c << "," << r;
        }
}

TEST_F(Spine, BattleFramesStepTheCounters) {
    const int8_t half[] = {1, 0, 1, 0}, anim[] = {0, 1, 1, 2};
    for (int f = 0; f < 4; f++) {
        battle_frame();
        EXPECT_EQ(half_tick, half[f]) << "frame " << f;
        EXPECT_EQ(anim_tick, anim[f]) << "frame " << f;
    }
    // The decoration phase runs through a cycle of 18 frames.
    for (int f = 4; f < 18; f++) battle_frame();
    EXPECT_EQ(half_tick, 0);
    EXPECT_EQ(anim_tick, 0);
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

TEST_F(Spine, PanelsAreCopiedToTheirHalvesOfTheScreen) {
    clear_to_color(top_panel, makecol(200, 40, 40));
    clear_to_color(bottom_panel, makecol(40, 40, 200));
    show_panels();
    const Rgb top = pixel(top_panel, 0, 0), bottom = pixel(bottom_panel, 0, 0);
    for (int x : {0, 255})
        for (int y : {0, 191}) {
            EXPECT_EQ(pixel(screen, x, y), top);
            EXPECT_EQ(pixel(screen, x, y + 192), bottom);
        }
}

TEST_F(Spine, BattleFrameShowsBackgroundBoardsAndHud) {
    players[0]->score = 42;
    battle_frame();
    // The background between the boards, the bottom panel's background under the scores.
    EXPECT_EQ(pixel(screen, 128, 4), bg_colour());
    EXPECT_EQ(pixel(screen, 128, 192 + 100), char_bg_colour());
    // Score digits 0 0 0 0 4 2 from (8, 8) of the bottom panel.
    EXPECT_EQ(pixel(screen, 8 + 4 * 16 + 8, 192 + 16), digit_tile(4));
    EXPECT_EQ(pixel(screen, 8 + 5 * 16 + 8, 192 + 16), digit_tile(2));
    EXPECT_EQ(pixel(screen, 8 + 8, 192 + 16), digit_tile(0));
    // The balance bar's outline.
    EXPECT_EQ(pixel(screen, 64, 192 + 28), in_16_bit(128, 128, 128));
}

TEST_F(Spine, ResultFramePutsEachBannerOverItsBoard) {
    for (uint8_t who : {uint8_t{0}, uint8_t{1}}) {
        winner = who;
        banner_y = 60;
        result_frame();
        const Rgb won = winlose_half(0), lost = winlose_half(48);
        EXPECT_EQ(pixel(screen, 60, 80), who == 0 ? won : lost);
        EXPECT_EQ(pixel(screen, 190, 80), who == 0 ? lost : won);
    }
    banner_y = -40;  // clipped at the top edge: only its last 8 rows show
    winner = 0;
    result_frame();
    EXPECT_EQ(pixel(screen, 130, 7), winlose_half(48));
    EXPECT_EQ(pixel(screen, 130, 9), bg_colour());
}

TEST_F(Spine, IntroFrameShowsTheWordAndTheRoundDigitOnly) {
    set_board(players[0], {"111111", "111111", "111111", "111111", "111111",
                           "111111", "111111", "111111", "111111", "111111"});
    round_number = 3;
    intro_frame();
    EXPECT_EQ(pixel(screen, 100, 40), round_strip(0));
    EXPECT_EQ(pixel(screen, 100, 100), round_strip(3 * 64));
    EXPECT_EQ(pixel(screen, 20, 20), bg_colour());  // no board is drawn
    EXPECT_EQ(half_tick, 0);                         // nor are the counters moved
}

}  // namespace
