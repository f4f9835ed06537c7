// The tutorial's script, presets and pages, run in a folder of its own with one-colour pages.
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <thread>

#include "board_fixture.h"
#include "control/tutorial_script.h"
#include "game/frame.h"
#include "game/tutorial.h"
#include "platform/ticks.h"
#include "game/flow.h"
#include "state/match.h"

namespace {

Rgb page_colour(int page) { return in_16_bit(40 + 30 * page, 200 - 20 * page, 100); }
const std::vector<std::string> own_pattern(board_rows, "321321");

class Tutorial : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        ASSERT_TRUE(getcwd(game_folder, sizeof game_folder) && mkdtemp(folder) && chdir(folder) == 0);
        set_pattern(players[1], own_pattern);
    }
    void TearDown() override {
        std::remove("tuttxt.pcx");
        EXPECT_TRUE(chdir(game_folder) == 0 && rmdir(folder) == 0);
    }

    static void write_pages() {
        BITMAP* pages = create_bitmap(screen_width, 7 * panel_height);
        for (int k = 0; k < 7; k++) {
            const Rgb c = page_colour(k);
            rectfill(pages, 0, k * panel_height, screen_width - 1, (k + 1) * panel_height - 1, makecol(c.r, c.g, c.b));
        }
        save_bitmap("tuttxt.pcx", pages, nullptr);
        destroy_bitmap(pages);
    }

    // Runs the tutorial under a timer that ticks as soon as the last tick is taken; returns the
    // ticks it waited for. Then checks what every way out of the tutorial leaves.
    static int run_timed() {
        std::atomic<bool> done{false};
        int given = 0;
        tick_count = 0;
        std::thread timer([&] {
            for (; !done; std::this_thread::yield())
                if (tick_count == 0) {
                    timer_tick();
                    given++;
                }
        });
        run_tutorial();
        done = true;
        timer.join();
        EXPECT_EQ(match.game_mode, mode_tutorial);
        EXPECT_EQ(match.balance, 0);
        Player own;  // the right board's own pattern is back
        set_pattern(&own, own_pattern);
        EXPECT_EQ(std::memcmp(players[1]->pattern, own.pattern, sizeof own.pattern), 0);
        return given - tick_count;
    }

    char game_folder[1024];
    char folder[32] = "/tmp/cupclash-tutorial-XXXXXX";
};

TEST_F(Tutorial, CommandFollowsTheStepOnAnIdleBoardOnly) {
    constexpr uint8_t last = cmd_right | cmd_action;  // the previous frame's command, kept when nothing is given
    const struct {  // the step, the walk position, the board; what the command gives
        TutorialStep step; int8_t at; BoardState state; int slide_x, slide_y;
        uint8_t command; int8_t at_after; TutorialStep step_after;
    } cases[] = {
        {tutorial_walk, 0, ready, 0, 0, cmd_down, 1, tutorial_walk},
        {tutorial_walk, 1, ready, 0, 0, cmd_right, 2, tutorial_walk},
        {tutorial_walk, 2, ready, 0, 0, cmd_up, 3, tutorial_walk},
        {tutorial_walk, 3, ready, 0, 0, cmd_left, 0, tutorial_walk},
        {tutorial_walk, 7, ready, 0, 0, last, 7, tutorial_walk},
        {tutorial_toggle, 2, ready, 0, 0, cmd_toggle, 0, tutorial_walk},
        {tutorial_act, 2, ready, 0, 0, cmd_action, 2, tutorial_rest},
        {tutorial_rest, 2, ready, 0, 0, 0, 2, tutorial_rest},
        {tutorial_act, 0, breaking, 0, 0, last, 0, tutorial_act},  // busy boards
        {tutorial_toggle, 3, ready, 4, 0, last, 3, tutorial_toggle},
        {tutorial_walk, 1, ready, 0, -4, last, 1, tutorial_walk},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "step " << c.step << " at " << int(c.at) << " state " << int(c.state));
        match.tutorial_step = c.step;
        p->character = c.at;
        p->state = c.state;
        p->slide_x = c.slide_x;
        p->slide_y = c.slide_y;
        p->command = last;
        tutorial_command(p);
        EXPECT_EQ(p->command, c.command);
        EXPECT_EQ(p->character, c.at_after);
        EXPECT_EQ(match.tutorial_step, c.step_after);
    }
}

TEST_F(Tutorial, MissingPagesOrEscapeHeldEndTheTutorialAtOnce) {
    // Without its pages the tutorial is skipped with one line.
    testing::internal::CaptureStderr();
    match.balance = 12;
    EXPECT_EQ(run_timed(), 0);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind("cupclash: ", 0), 0u) << said;
    EXPECT_NE(said.find("\"tuttxt.pcx\""), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;

    // With ESC held every page ends at its first pass, without a frame, and the presets are copied.
    write_pages();
    key[KEY_ESC] = 1;
    match.balance = 12;
    EXPECT_EQ(run_timed(), 0);
    EXPECT_EQ(match.half_tick, 0);                // no frame ran
    EXPECT_EQ(players[0]->state, falling);  // the left board was never stepped
    EXPECT_EQ(board_text(players[0]), lines(bottom_rows({".33.2.", ".22.2.", ".11112", ".22332"})));
    // The ESC that cut the pages short counts on the next screen only when pressed again.
    EXPECT_FALSE(escape_down());
    key[KEY_ESC] = 0;
    EXPECT_FALSE(escape_down());
    key[KEY_ESC] = 1;
    EXPECT_TRUE(escape_down());
    expect_pixels(screen, {{10, 10, bg_colour()}, {128, 192 + 100, page_colour(6)}});
    // Page 4 with the balance bar over it: the outline, the left player's black, the right one's white.
    expect_pixels(bottom_panel, {{128, 100, page_colour(4)}, {64, 28, in_16_bit(128, 128, 128)},
                                 {100, 28, in_16_bit(0, 0, 0)}, {180, 28, in_16_bit(255, 255, 255)}});
}

TEST_F(Tutorial, SevenPagesLastSevenHundredTicksAndTheChainAttacks) {
    write_pages();
    EXPECT_EQ(run_timed(), 700);
    EXPECT_EQ(players[1]->attack_rows, 3);  // page 6: preset 3 breaks in a chain of four settles
    EXPECT_EQ(match.tutorial_step, tutorial_rest);
    expect_pixels(screen, {{128, 192 + 100, page_colour(6)}});
}

}  // namespace
