#include "board/breaking.h"

#include "board/attack.h"
#include "state/player.h"
#include "board/tiles.h"
#include "platform/assets.h"
#include "state/match.h"
#include "platform/sound.h"

namespace {

constexpr int pop_frames = 5;  // pop pictures 0..4; on the sixth frame the cup is gone
constexpr int pop_size = 32;
constexpr int stars_for_super = 5;

struct BreakSeen {
    bool breaking = false;  // a cup of group 1 is on the board
    bool waiting = false;   // a cup of a later group is on the board
    bool super_earned = false;
};

// Redraws every cup that is not popping; notes what is breaking and what waits.
BreakSeen draw_cups(Player* p, BreakSeen seen) {
    for (int r = 0; r < board_rows; r++) {
        for (int c = 0; c < board_cols; c++) {
            const int i = cell_at(c, r);
            if (p->cells[i] == cup_empty) continue;
            if (p->group[i] == 1) {
                seen.breaking = true;  // a breaking cup is never drawn whole
                continue;
            }
            draw_cell(p, p->board_bitmap, c, r, 0, 0);
            if (p->group[i] != 0) seen.waiting = true;
        }
    }
    return seen;
}

// The first pop frame of a cup: the group's sound once, then score and balance for an ordinary cup.
void start_pop(Player* p, int i, bool& sound_played) {
    if (!sound_played) {
        play_effect(break_sound, p->index);
        sound_played = true;
    }
    if (p->junk[i] != 0 || p->state == round_over) return;
    const int worth = p->chain + 1;
    p->score += worth;
    match.balance += p->index == 0 ? worth : -worth;
}

// The cup has finished popping: it leaves the board; the super cup fills a star of the meter.
void finish_pop(Player* p, int c, int r, BreakSeen& seen) {
    const int i = cell_at(c, r);
    p->cells[i] = cup_empty;
    p->group[i] = 0;
    if (c == p->super_col && r == p->super_row) {
        p->super_meter++;
        if (p->super_meter == stars_for_super) seen.super_earned = true;
        p->super_col = no_super_col;
        p->super_row = 11;
    }
}

// One frame of the popping group: its pictures, or its removal after the last one.
void pop_group(Player* p, BreakSeen& seen) {
    bool sound_played = false;
    for (int r = 0; r < board_rows; r++) {
        for (int c = 0; c < board_cols; c++) {
            const int i = cell_at(c, r);
            if (p->group[i] != 1) continue;
            if (p->pop_frame < pop_frames) {
                const int type = p->cells[i];
                if (type >= 1 && type <= cup_types)
                    masked_blit(pop, p->board_bitmap, pop_size * p->pop_frame, pop_size * (type - 1),
                                cell_size * c - 8, cell_size * r - 8, pop_size, pop_size);
                if (p->state != round_over) p->state = breaking;
                if (p->pop_frame == 0) start_pop(p, i, sound_played);
            } else {
                finish_pop(p, c, r, seen);
            }
        }
    }
    p->pop_frame = (p->pop_frame + 1) % (pop_frames + 1);
}

// The next waiting group moves up to breaking.
void advance_groups(Player* p) {
    for (int i = 0; i < board_cells; i++)
        if (p->group[i] != 0) p->group[i]--;
}

}  // namespace

void break_step(Player* p) {
    // 1. A fresh picture of the board.
    clear_to_color(p->board_bitmap, mask_colour());
    // 2. Every cup that is not popping.
    BreakSeen seen = draw_cups(p, BreakSeen{});
    // 3. The group that pops now.
    if (seen.breaking) pop_group(p, seen);
    // 4. The super, or the next group.
    if (seen.super_earned) {
        p->super_meter = 0;
        super_break(p);
    } else if (seen.waiting && !seen.breaking) {
        advance_groups(p);
    }
    // 5. Nothing left to break: the cups above the gaps fall.
    if (p->state == breaking && !seen.breaking && !seen.waiting && !seen.super_earned) p->state = falling;
    // 6. The flash over the rows of the last attack received.
    if (p->attack_flash > 0) {
        draw_attack_flash(p, p->board_bitmap);
        p->attack_flash--;
    }
}
