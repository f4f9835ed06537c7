#include "board/tiles.h"

#include "platform/assets.h"
#include "state/match.h"

namespace {

constexpr int junk_tile_x = 64;

}  // namespace

void draw_cell(Player* p, BITMAP* destination, int col, int row, int x0, int y0) {
    const int x = x0 + cell_size * col, y = y0 + cell_size * row;
    const int i = cell_at(col, row);
    int cup = p->cells[i];
    if (cup < cup_empty || cup > cup_types) cup = cup_empty;  // never read outside the sheet
    int source_x = 0;
    if (p->junk[i] != 0)
        source_x = junk_tile_x;
    else if (cup == match.anim_tick / 3 + 1)
        source_x = cell_size * (match.anim_tick % 3 + 1);  // this type's turn to shimmer
    blit(cups, destination, source_x, cell_size * cup, x, y, cell_size, cell_size);
    if (col == p->super_col && row == p->super_row)
        masked_blit(super, destination, 8 * p->super_meter, 8 * (match.anim_tick % 3), x + 5, y + 4, 8, 8);
}
