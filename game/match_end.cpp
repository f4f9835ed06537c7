#include "game/match_end.h"

#include <allegro.h>

#include <cstdio>
#include <initializer_list>

#include "control/controls.h"
#include "game/records.h"
#include "game/frame.h"
#include "platform/assets.h"
#include "platform/pointer.h"
#include "platform/ticks.h"
#include "present/hud.h"
#include "state/match.h"

namespace {

// The card in the middle of the top panel, and its two choices side by side.
constexpr int card_left = 36, card_top = 48, card_right = 219, card_bottom = 143;
constexpr int digit_size = 16, digits_y = 78;
constexpr int option_y = 116, option_w = 72, option_h = 16;
constexpr int option_x[2] = {52, 132};  // REMATCH, TITLE
constexpr const char* option_name[2] = {"REMATCH", "TITLE"};

// One of the first ten digits of `numbers`, centred on x.
void draw_digit(int digit, int x) {
    masked_blit(numbers, top_panel, digit_size * digit, 0, x - digit_size / 2, digits_y, digit_size, digit_size);
}

// The background with whose board was whose and every round won, and the card over it; the bottom
// panel keeps the last round's characters and scores. Online the card speaks to this machine's
// player (`you`, the side they play), and once they chose a rematch, the choices give way to the
// wait for the other player.
void draw_card(int selected, int frame, bool waiting = false, int you = -1) {
    blit(bg, top_panel, 0, 0, 0, 0, screen_width, panel_height);
    draw_side_labels();
    rectfill(top_panel, card_left, card_top, card_right, card_bottom, makecol(24, 14, 10));
    rect(top_panel, card_left, card_top, card_right, card_bottom, makecol(200, 150, 70));
    const bool left_won = match.rounds_won[0] > match.rounds_won[1];
    const char* heading = left_won ? "P1 WINS THE MATCH" : "P2 WINS THE MATCH";
    if (you >= 0) heading = (you == 0) == left_won ? "YOU WIN THE MATCH!" : "THE OTHER PLAYER WINS";
    draw_label(top_panel, heading, 128, card_top + 10, makecol(255, 210, 100));
    draw_label(top_panel, "P1", 76, digits_y + 4, makecol(255, 248, 232));
    draw_digit(match.rounds_won[0], 104);
    draw_label(top_panel, "-", 128, digits_y + 4, makecol(255, 248, 232));
    draw_digit(match.rounds_won[1], 152);
    draw_label(top_panel, "P2", 180, digits_y + 4, makecol(255, 248, 232));
    if (waiting) {
        draw_label(top_panel, "WAITING FOR THE", 128, option_y - 6, makecol(255, 248, 232));
        draw_label(top_panel, "OTHER PLAYER...", 128, option_y + 4, makecol(255, 248, 232));
        draw_label(top_panel, "ESC: GIVE UP", 128, option_y + 16, makecol(200, 170, 130));
    }
    for (int k = 0; k < 2 && !waiting; k++) {
        const int x = option_x[k];
        draw_label(top_panel, option_name[k], x + option_w / 2, option_y + 4, makecol(255, 248, 232));
        if (k == selected) draw_highlight(top_panel, x, option_y, x + option_w - 1, option_y + option_h - 1, highlight_gold(frame));
    }
    show_top_panel();
}

// The choice under the mouse on the top panel, or -1.
int option_at(int x, int y) {
    for (int k = 0; k < 2; k++)
        if (x >= option_x[k] && x < option_x[k] + option_w && y >= option_y && y < option_y + option_h) return k;
    return -1;
}

}  // namespace

bool rematch_chosen() {
    int selected = 0, chosen = -1;
    Click click = {};
    // A key still held from the battle chooses nothing: each player's keys count once let go.
    bool armed[2] = {false, false};
    for (int frame = 0; chosen < 0 && !escape_down(); frame++) {
        draw_card(selected, frame);
        for (int k : {0, 1}) {
            poll_pair_controls(players[k]);
            const uint8_t command = players[k]->command;
            if (command & cmd_left) selected = 0;
            if (command & cmd_right) selected = 1;
            const bool chooses = command & (cmd_action | cmd_toggle);
            if (chooses && armed[k]) chosen = selected;
            armed[k] |= !chooses;
        }
        if (click_released(&click)) chosen = option_at(pointer_x(), pointer_y());
        wait_for_tick();
    }
    while (key[KEY_ESC] && !close_requested()) wait_for_tick();  // ESC is the title's, not the end's
    return chosen == 0;
}

EndChoice online_end_frame(EndCard* card, int frame) {
    if (frame == 0) *card = EndCard{0, end_undecided, menu_keys_down(), {}, card->you};
    if (escape_down()) card->chosen = end_title;
    draw_card(card->selected, frame, card->chosen == end_rematch, card->you);
    if (card->chosen != end_undecided) return card->chosen;
    const uint8_t command = menu_command(&card->held);
    if (command & cmd_left) card->selected = 0;
    if (command & cmd_right) card->selected = 1;
    int chosen = command & (cmd_action | cmd_toggle) ? card->selected : -1;
    if (click_released(&card->click)) chosen = option_at(pointer_x(), pointer_y());
    if (chosen >= 0) card->chosen = chosen == 0 ? end_rematch : end_title;
    return card->chosen;
}

namespace {

constexpr int summary_frames = 125;  // five seconds

// The summary card: the match's figures, and the "new record" banner when it made one.
void draw_summary(const Record& r, int place, int frame) {
    blit(bg, top_panel, 0, 0, 0, 0, screen_width, panel_height);
    draw_side_labels();
    rectfill(top_panel, card_left, card_top - 16, card_right, card_bottom + 8, makecol(24, 14, 10));
    rect(top_panel, card_left, card_top - 16, card_right, card_bottom + 8, makecol(200, 150, 70));
    const int cream = makecol(255, 248, 232), gold = makecol(255, 210, 100);
    draw_label(top_panel, r.rounds_won >= last_round ? "ALL ROUNDS WON!" : "MATCH OVER", 128, card_top - 6, gold);
    char line[40];
    std::snprintf(line, sizeof line, "ROUNDS WON  %d/%d", r.rounds_won, last_round);
    draw_label(top_panel, line, 128, card_top + 14, cream);
    std::snprintf(line, sizeof line, "SCORE  %d", r.score);
    draw_label(top_panel, line, 128, card_top + 30, cream);
    std::snprintf(line, sizeof line, "LONGEST CHAIN  %d", r.longest_chain);
    draw_label(top_panel, line, 128, card_top + 46, cream);
    std::snprintf(line, sizeof line, "CPU  %s", strength_labels[match.ai_strength]);
    draw_label(top_panel, line, 128, card_top + 62, cream);
    if (place >= 0) {
        const int banner_y = card_bottom - 14;
        rectfill(top_panel, card_left + 12, banner_y - 4, card_right - 12, banner_y + 11, highlight_gold(frame));
        std::snprintf(line, sizeof line, "NEW RECORD!  #%d", place + 1);
        draw_label(top_panel, line, 128, banner_y, makecol(60, 20, 10));
    } else {
        draw_label(top_panel, "NO RECORD THIS TIME", 128, card_bottom - 14, makecol(200, 170, 130));
    }
    show_top_panel();
}

}  // namespace

void sum_up_match() {
    Record r;
    r.score = players[0]->score;
    r.rounds_won = match.rounds_won[0];
    r.character = players[0]->character;
    r.date = today();
    r.longest_chain = match.longest_chain[0];
    const int place = keep_record(match.ai_strength, r);
    uint8_t held = menu_keys_down();
    Click click = {};
    for (int frame = 0; frame < summary_frames && !close_requested(); frame++) {
        draw_summary(r, place, frame);
        const bool chosen = menu_command(&held) & (cmd_action | cmd_toggle);
        if (chosen || click_released(&click) || escape_down()) break;
        wait_for_tick();
    }
    spend_escape();  // ESC is the summary's, not the title's
}
