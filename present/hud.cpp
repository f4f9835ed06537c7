#include "present/hud.h"

#include "state/player.h"
#include "platform/assets.h"
#include "state/match.h"

namespace {

constexpr int score_digits = 6;
constexpr int digit_size = 16;
constexpr int bar_left = 64, bar_right = 192, bar_top = 24, bar_bottom = 32, bar_middle = 128;

}  // namespace

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
