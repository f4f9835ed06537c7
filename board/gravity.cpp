#include "board/gravity.h"

#include "state/match.h"
#include "board/tiles.h"
#include "platform/assets.h"
#include "platform/sound.h"

namespace {

constexpr int refill_start = board_width;  // pixels the strip has to travel
constexpr int refill_speed = 8;            // pixels per frame

bool row_empty(const Player* p, int row) {
    for (int c = 0; c < board_cols; c++)
        if (p->cells[cell_at(c, row)] != cup_empty) return false;
    return true;
}

// Slides the strip of new rows one step further into the board image.
void slide_strip_in(Player* p) {
    p->refill_offset -= refill_speed;
    // The right board's rows come in from the right edge, the left board's from the left
    // (its strip starts at 6 - offset).
    const int x = p->index == 1 ? p->refill_offset : 6 - p->refill_offset;
    blit(p->refill_strip, p->board_bitmap, 0, 0, x, 0, board_width, p->refill_rows * cell_size);
    p->first_fill = 0;
}

// Fills every entirely empty row, from the opponent's pattern on the opening fill, else at random.
void fill_empty_rows(Player* p) {
    for (int r = 0; r < board_rows; r++) {
        if (!row_empty(p, r)) continue;
        for (int c = 0; c < board_cols; c++) {
            const int i = cell_at(c, r);
            p->cells[i] = p->first_fill ? p->opponent->pattern[i] : next_random(&match.random) % cup_types + 1;
            p->junk[i] = 0;
        }
        p->refill_rows = r + 1;
    }
}

// A new super cup lands on one of the new cups when there is none and the refill was large enough.
void place_super_cup(Player* p) {
    if (p->super_col > board_cols && p->super_meter < p->refill_rows) {
        p->super_col = next_random(&match.random) % board_cols;
        p->super_row = next_random(&match.random) % p->refill_rows;
    }
}

void paint_strip(Player* p) {
    clear_to_color(p->refill_strip, mask_colour());
    for (int c = 0; c < board_cols; c++)
        for (int r = 0; r < p->refill_rows; r++) draw_cell(p, p->refill_strip, c, r, 0, 0);
}

}  // namespace

bool fall_step(Player* p) {
    bool moved = false;
    for (int c = 0; c < board_cols; c++) {
        for (int r = board_rows - 1; r >= 1; r--) {
            const int below = cell_at(c, r), above = cell_at(c, r - 1);
            if (p->cells[below] != cup_empty || p->cells[above] == cup_empty) continue;
            p->cells[below] = p->cells[above];
            p->cells[above] = cup_empty;
            p->junk[below] = p->junk[above];
            p->junk[above] = 0;
            if (p->super_col == c && p->super_row == r - 1) p->super_row = r;
            moved = true;
        }
    }
    if (!moved) p->state = settled;
    return moved;
}

void refill_step(Player* p) {
    if (p->refill_offset > 0) {
        slide_strip_in(p);
        return;
    }
    p->refill_rows = 0;
    p->refill_offset = 0;
    fill_empty_rows(p);
    if (p->refill_rows == 0) {
        p->state = ready;
        p->first_fill = 0;
        return;
    }
    place_super_cup(p);
    paint_strip(p);
    p->refill_offset = refill_start;
    play_effect(refill_sound, p->index);
    p->first_fill = 0;
}
