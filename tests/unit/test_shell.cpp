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

TEST_F(Spine, ReleasingCharacterDataEmptiesEverySlot) {
    release_character_data(p);  // the fixture's character, before every slot is filled afresh
    for (int k = 0; k < max_anims; k++) p->anims[k] = figure_anim(k, 8, 8, k, k % 2);
    for (int k = 0; k < max_sfx; k++) p->sfx[k] = create_sample(16, 0, 22050, 8);
    p->cues[29] = Cue{3, 4, 5};
    release_character_data(p);
    for (int k = 0; k < max_anims; k++) EXPECT_TRUE(p->anims[k].frames == nullptr && p->anims[k].frame_count == 0) << "animation slot " << k;
    for (int k = 0; k < max_sfx; k++) EXPECT_EQ(p->sfx[k], nullptr) << "sample slot " << k;
    EXPECT_EQ(p->cues[29].anim, 0);
    release_character_data(p);  // nothing left: a second release is harmless
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

}  // namespace
