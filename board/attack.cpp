#include "board/attack.h"

#include "state/player.h"
#include "platform/assets.h"

namespace {

constexpr int flash_frames = 8;
constexpr int flash_sheet_y = 128;  // the flash pictures' row in the pop sheet
constexpr int super_bonus = 5000;

}  // namespace

void take_attack(Player* victim, int n) {
    const Player* attacker = victim->opponent;
    const int rows = n < board_rows ? n : board_rows;
    for (int r = board_rows - 1; r >= board_rows - rows; r--) {
        for (int c = 0; c < board_cols; c++) {
            const int i = cell_at(c, r);
            victim->cells[i] = attacker->pattern[i];
            victim->junk[i] = 1;
        }
    }
    victim->attack_rows = n;
    victim->attack_flash = flash_frames;
}

void draw_attack_flash(Player* victim, BITMAP* destination) {
    const int picture = 4 - victim->attack_flash / 2;
    const int rows = victim->attack_rows < board_rows ? victim->attack_rows : board_rows;
    for (int r = board_rows - 1; r >= board_rows - rows; r--)
        for (int c = 0; c < board_cols; c++)
            masked_blit(pop, destination, 32 * picture, flash_sheet_y, cell_size * c - 8, cell_size * r - 8, 32, 32);
}

void super_break(Player* p) {
    p->super_active = 1;
    queue_animation(p, anim_super);
    p->score += super_bonus;
    p->pop_frame = 0;
    // Every cup left breaks together, junk included, and all of them score.
    for (int r = 0; r < board_rows; r++) {
        for (int c = 0; c < board_cols; c++) {
            const int i = cell_at(c, r);
            if (p->cells[i] == cup_empty) continue;
            p->junk[i] = 0;
            p->group[i] = 1;
        }
    }
    take_attack(p->opponent, board_rows);
}
