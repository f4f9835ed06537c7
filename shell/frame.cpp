#include "shell/frame.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "board/player.h"
#include "board/turn.h"
#include "control/cpu.h"
#include "present/characters.h"
#include "present/hud.h"
#include "shell/assets.h"
#include "shell/match.h"
#include "shell/window.h"

std::atomic<int> tick_count{0};
int8_t half_tick = 0;
int8_t anim_tick = 0;
void (*between_frames)() = nullptr;

namespace {

// The wait for a tick sleeps until the timer thread says one has come.
std::mutex tick_mutex;
std::condition_variable tick_arrived;
constexpr auto longest_nap = std::chrono::milliseconds(50);  // looks again even if a wake-up is lost

constexpr int left_score_x = 8, right_score_x = 152, score_y = 8;

void draw_background() { blit(bg, top_panel, 0, 0, 0, 0, screen_width, panel_height); }

void draw_scores() {
    draw_score(players[0], left_score_x, score_y);
    draw_score(players[1], right_score_x, score_y);
}

// The counters that pace the board decorations and the computer opponent.
void update_counters() {
    half_tick = (half_tick + 1) % 2;
    if (half_tick == 0) anim_tick++;
    anim_tick %= 9;
    ai_pacing();
}

}  // namespace

void count_tick() {
    {
        std::lock_guard<std::mutex> lock(tick_mutex);
        tick_count++;
    }
    tick_arrived.notify_one();
}

void wait_for_tick() {
    if (between_frames) {
        between_frames();
        tick_count.store(0);
        return;
    }
    std::unique_lock<std::mutex> lock(tick_mutex);
    while (tick_count.load() == 0) tick_arrived.wait_for(lock, longest_nap);
    tick_count.store(0);
}

void leave_tick_pending() {
    count_tick();
}

void show_panels() {
    show_on_window(top_panel, 0, 0);
    show_on_window(bottom_panel, 0, panel_height);
}

void show_top_panel() { show_on_window(top_panel, 0, 0); }

void battle_frame() {
    draw_background();           // 1. the background under both boards
    board_step(players[0]);      // 2. the left board, then the right one
    board_step(players[1]);
    compose_characters();        // 3. both characters onto the bottom panel
    draw_balance_bar();          // 4. the balance bar, which also keeps balance in range
    draw_scores();               // 5. both scores
    show_panels();               // 6. the frame to the window
    update_counters();           // 7. decoration phase and the computer's pacing
}

void tutorial_frame() {
    draw_background();
    board_step(players[0]);
    show_top_panel();
    update_counters();
}

void result_frame() {
    draw_background();
    board_step(players[0]);
    board_step(players[1]);
    // The winner's banner (upper half) lies over the winner's board, the loser's over the other.
    const int w = winlose->w, half = winlose->h / 2;
    const int winner_source = 0, loser_source = half;
    masked_blit(winlose, top_panel, 0, winner == 0 ? winner_source : loser_source, 0, banner_y, w, half);
    masked_blit(winlose, top_panel, 0, winner == 0 ? loser_source : winner_source, 128, banner_y, w, half);
    compose_characters();
    draw_scores();
    show_panels();
}

void intro_frame() {
    draw_background();
    masked_blit(roundtxt, top_panel, 0, 0, 64, 32, 128, 64);
    masked_blit(roundtxt, top_panel, 0, round_number * 64, 64, 96, 128, 64);
    compose_characters();
    draw_scores();
    show_panels();
}
