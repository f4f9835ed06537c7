#include "board/render.h"

#include "board/breaking.h"
#include "board/tiles.h"
#include "state/player.h"
#include "platform/assets.h"
#include "platform/ticks.h"
#include "state/match.h"

namespace {

constexpr int board_y = 16;
constexpr int combo_y = 96, super_text_y = 32, super_text_sheet_y = 448;
constexpr int text_w = 128, text_h = 64;
constexpr int longest_chain_text = 7;  // the sheet holds chain texts 1..7; longer chains show the 7

int board_x(const Player* p) { return p->index == 0 ? 16 : 144; }
int text_x(const Player* p) { return p->index == 0 ? 0 : 128; }

// The sliding row drawn at its offset, with the cup that wraps round entering from the other edge.
void draw_sliding_row(Player* p) {
    const int row = p->cursor_row;
    for (int c = 0; c < board_cols; c++) draw_cell(p, p->board_bitmap, c, row, -p->slide_x, 0);
    if (p->slide_x < 0)
        draw_cell(p, p->board_bitmap, board_cols - 1, row, -board_width - p->slide_x, 0);
    else
        draw_cell(p, p->board_bitmap, 0, row, board_width - p->slide_x, 0);
}

// The sliding column drawn at its offset, with the cup that wraps round.
void draw_sliding_column(Player* p) {
    const int col = p->cursor_col;
    for (int r = 0; r < board_rows; r++) draw_cell(p, p->board_bitmap, col, r, 0, -p->slide_y);
    if (p->slide_y < 0)
        draw_cell(p, p->board_bitmap, col, board_rows - 1, 0, -board_height - p->slide_y);
    else
        draw_cell(p, p->board_bitmap, col, 0, 0, board_height - p->slide_y);
}

// A two-pixel white frame around the cursor's line, or around the whole board while it is busy.
void draw_frame(Player* p) {
    const int bx = board_x(p);
    int left = bx, top = board_y, right = bx + board_width - 1, bottom = board_y + board_height - 1;
    if (p->state == ready && p->axis == column_mode) {
        left = bx + cell_size * p->cursor_col;
        right = left + cell_size - 1;
    } else if (p->state == ready) {
        top = board_y + cell_size * p->cursor_row;
        bottom = top + cell_size - 1;
    }
    const int white = makecol(255, 255, 255);
    rect(top_panel, left - 2, top - 2, right + 2, bottom + 2, white);
    rect(top_panel, left - 1, top - 1, right + 1, bottom + 1, white);
}

}  // namespace

void draw_board(Player* p) {
    if (p->refill_offset == 0) break_step(p);  // 1. rebuild the picture and advance breaking
    if (p->slide_x != 0) draw_sliding_row(p);  // 2. a sliding row
    if (p->slide_y != 0) draw_sliding_column(p);  // 3. a sliding column
    if (frames_unseen) return;  // the board's picture is state; the panel is only seen
    draw_sprite(top_panel, p->board_bitmap, board_x(p), board_y);  // 4. the board onto the panel
    draw_frame(p);  // 5. cursor or busy frame
    if (p->chain != 0) {  // 6. the chain's text
        const int strip = p->chain < longest_chain_text ? p->chain - 1 : longest_chain_text - 1;
        masked_blit(combotxt, top_panel, 0, text_h * strip, text_x(p), combo_y, text_w, text_h);
    }
    if (p->super_active != 0)  // 7. the super's text
        masked_blit(combotxt, top_panel, 0, super_text_sheet_y, text_x(p), super_text_y, text_w, text_h);
    if (p->state != round_over) draw_super_stars(p);  // 8. the super meter
}

void draw_super_stars(Player* p) {
    const int sx = p->index == 0 ? 117 : screen_width - 125;
    for (int i = 0; i < p->super_meter; i++)
        masked_blit(super, top_panel, 8 * i, 8 * (match.anim_tick % 4), sx, 20 + 16 * i, 8, 8);
}
