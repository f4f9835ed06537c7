#include "game/frame.h"

#include "board/turn.h"
#include "control/controls.h"
#include "control/cpu.h"
#include "control/tutorial_script.h"
#include "platform/assets.h"
#include "platform/ticks.h"
#include "platform/window.h"
#include "present/characters.h"
#include "present/hud.h"
#include "state/match.h"

CommandSource command_sources[2] = {cpu_command, cpu_command};

namespace {

constexpr int left_score_x = 8, right_score_x = 152, score_y = 8;

// The right board of the tutorial is never stepped; this stands in for its source.
void no_command(Player* p) { p->command = 0; }

void draw_background() {
    if (!frames_unseen) blit(bg, top_panel, 0, 0, 0, 0, screen_width, panel_height);
}

// Both scores, and the round between them.
void draw_scores() {
    draw_score(players[0], left_score_x, score_y);
    draw_score(players[1], right_score_x, score_y);
    draw_round_counter();
}

// Each side's longest chain of the match: a break is one wave, each settle that follows one more.
void note_chains() {
    for (const Player* p : players) {
        int waves = p->chain > 0 ? p->chain + 1 : p->state == breaking ? 1 : 0;
        if (waves > match.longest_chain[p->index]) match.longest_chain[p->index] = static_cast<int8_t>(waves);
    }
}

void step_both_boards() {
    board_step(players[0], command_sources[0]);
    board_step(players[1], command_sources[1]);
    note_chains();
}

// The counters that pace the board decorations and the computer opponent.
void update_counters() {
    match.half_tick = (match.half_tick + 1) % 2;
    if (match.half_tick == 0) match.anim_tick++;
    match.anim_tick %= 9;
    ai_pacing();
}

}  // namespace

void set_game_mode(GameMode mode) {
    match.game_mode = mode;
    switch (mode) {
    case mode_cpu_vs_cpu:
        command_sources[0] = cpu_command;
        command_sources[1] = cpu_command;
        break;
    case mode_vs_cpu:
        command_sources[0] = poll_controls;
        command_sources[1] = cpu_command;
        break;
    case mode_two_players:
        command_sources[0] = poll_pair_controls;
        command_sources[1] = poll_pair_controls;
        break;
    case mode_tutorial:
        command_sources[0] = tutorial_command;
        command_sources[1] = no_command;
        break;
    }
}

void show_panels() {
    show_on_window(top_panel, 0, 0);
    show_on_window(bottom_panel, 0, panel_height);
}

void show_top_panel() { show_on_window(top_panel, 0, 0); }

void battle_frame() {
    draw_background();      // 1. the background under both boards
    step_both_boards();     // 2. the left board, then the right one
    draw_side_labels();     // 3. whose board is whose, and the rounds each has won
    compose_characters();   // 4. both characters onto the bottom panel
    draw_balance_bar();     // 5. the balance bar, which also keeps balance in range
    draw_scores();          // 6. both scores and the round
    show_panels();          // 7. the frame to the window
    update_counters();      // 8. decoration phase and the computer's pacing
}

void tutorial_frame() {
    draw_background();
    board_step(players[0], command_sources[0]);
    show_top_panel();
    update_counters();
}

void result_frame() {
    draw_background();
    step_both_boards();
    // The winner's banner (upper half) lies over the winner's board, the loser's over the other.
    const int w = winlose->w, half = winlose->h / 2;
    const int winner_source = 0, loser_source = half;
    masked_blit(winlose, top_panel, 0, match.winner == 0 ? winner_source : loser_source, 0, match.banner_y, w, half);
    masked_blit(winlose, top_panel, 0, match.winner == 0 ? loser_source : winner_source, 128, match.banner_y, w, half);
    draw_side_labels();
    compose_characters();
    draw_scores();
    show_panels();
}

void intro_frame() {
    draw_background();
    masked_blit(roundtxt, top_panel, 0, 0, 64, 32, 128, 64);
    masked_blit(roundtxt, top_panel, 0, match.round_number * 64, 64, 96, 128, 64);
    draw_side_labels();
    compose_characters();
    draw_scores();
    show_panels();
}
