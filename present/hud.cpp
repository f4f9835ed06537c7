#include "present/hud.h"

#include <cstdio>

#include "state/player.h"
#include "platform/assets.h"
#include "state/match.h"

namespace {

constexpr int score_digits = 6;
constexpr int digit_size = 16;
constexpr int bar_left = 64, bar_right = 192, bar_top = 24, bar_bottom = 32, bar_middle = 128;

// The names over the boards: their top row, the boards' outer edges, the font's glyph size.
constexpr int label_y = 3, board_left = 16, board_right = 239, glyph = 8;
constexpr int pip_radius = 3, pip_step = 9, pip_gap = 6;
constexpr int counter_x = 128, counter_y = 7;  // "ROUND" centred here, the number a line below

// Whose each board is, by game mode, and how many rounds each side needs to win the match.
struct SideNames {
    GameMode mode;
    const char* name[2];
    int needed[2];
};
constexpr SideNames side_names[] = {
    {mode_vs_cpu, {"YOU", "CPU"}, {last_round, 1}},
    {mode_cpu_vs_cpu, {"CPU", "CPU"}, {last_round, 1}},
    {mode_two_players, {"P1", "P2"}, {rounds_to_win, rounds_to_win}},
};

// The names of a mode; the tutorial, which draws no names, and any other mode read as against the
// computer.
const SideNames& names_of(GameMode mode) {
    for (const SideNames& n : side_names)
        if (n.mode == mode) return n;
    return side_names[0];
}

// Text with a one-pixel dark shadow below and to the right, readable over any background.
void shadowed_text(BITMAP* b, const char* text, int x, int y, int colour) {
    textout_ex(b, font, text, x + 1, y + 1, makecol(16, 8, 8), -1);
    textout_ex(b, font, text, x, y, colour, -1);
}

// Pips from x toward `step`'s side: `won` lit gold, the rest dark, each in a light ring.
void draw_pips(int x, int count, int won, int step) {
    const int cy = label_y + glyph / 2 - 1;
    for (int k = 0; k < count; k++, x += step) {
        circlefill(top_panel, x, cy, pip_radius + 1, makecol(16, 8, 8));
        circlefill(top_panel, x, cy, pip_radius, k < won ? makecol(255, 200, 64) : makecol(60, 38, 26));
        circle(top_panel, x, cy, pip_radius, k < won ? makecol(255, 240, 170) : makecol(170, 140, 100));
    }
}

}  // namespace

void draw_side_labels() {
    const SideNames& n = names_of(match.game_mode);
    const int white = makecol(255, 248, 232);
    const int left_width = text_length(font, n.name[0]), right_width = text_length(font, n.name[1]);
    shadowed_text(top_panel, n.name[0], board_left, label_y, white);
    shadowed_text(top_panel, n.name[1], board_right + 1 - right_width, label_y, white);
    draw_pips(board_left + left_width + pip_gap + pip_radius, n.needed[0], match.rounds_won[0], pip_step);
    draw_pips(board_right - right_width - pip_gap - pip_radius, n.needed[1], match.rounds_won[1], -pip_step);
}

void draw_round_counter() {
    char number[8];
    if (match.game_mode == mode_two_players) std::snprintf(number, sizeof number, "%d", match.round_number);
    else std::snprintf(number, sizeof number, "%d/%d", match.round_number, last_round);
    const int gold = makecol(255, 210, 100);
    shadowed_text(bottom_panel, "ROUND", counter_x - text_length(font, "ROUND") / 2, counter_y, gold);
    shadowed_text(bottom_panel, number, counter_x - text_length(font, number) / 2, counter_y + glyph + 1, gold);
}

void draw_score(Player* p, int x, int y) {
    int place = 100000;  // most significant of the six digits first, leading zeros drawn
    for (int k = 0; k < score_digits; k++, place /= 10) {
        const int digit = p->score / place % 10;
        masked_blit(numbers, bottom_panel, digit_size * digit, 0, x + digit_size * k, y, digit_size, digit_size);
    }
}

void draw_balance_bar() {
    if (match.balance < -balance_limit) match.balance = -balance_limit;
    if (match.balance > balance_limit) match.balance = balance_limit;
    if (match.balance < balance_limit)  // the right player's white part
        rectfill(bottom_panel, bar_middle + 1 + match.balance, bar_top, bar_right, bar_bottom, makecol(255, 255, 255));
    rectfill(bottom_panel, bar_left, bar_top, bar_middle + match.balance, bar_bottom, 0);  // the left player's black
    rect(bottom_panel, bar_left, bar_top, bar_right, bar_bottom, makecol(128, 128, 128));
}

void draw_highlight(BITMAP* b, int x1, int y1, int x2, int y2, int colour) {
    rect(b, x1, y1, x2, y2, colour);
    rect(b, x1 + 1, y1 + 1, x2 - 1, y2 - 1, colour);
}

int highlight_gold(int frame) { return (frame / 6) % 2 ? makecol(255, 232, 110) : makecol(255, 180, 30); }

void draw_label(BITMAP* b, const char* text, int x, int y, int colour) {
    shadowed_text(b, text, x - text_length(font, text) / 2, y, colour);
}
