#include "board/matches.h"

#include "state/player.h"

namespace {

// The three shapes, tried in this order at every anchor: the three further cells as offsets.
struct Shape {
    int max_col, max_row;  // the shape fits when the anchor is at or above/left of these
    int dc[3], dr[3];
};
constexpr Shape shapes[] = {
    {5, 6, {0, 0, 0}, {1, 2, 3}},  // vertical line of four
    {2, 9, {1, 2, 3}, {0, 0, 0}},  // horizontal line of four
    {4, 8, {1, 0, 1}, {0, 1, 1}},  // 2 x 2 square
};

}  // namespace

int32_t find_matches(Player* p) {
    int32_t next_group = 1;
    for (int c = 0; c < board_cols; c++) {
        for (int r = 0; r < board_rows; r++) {
            const int anchor = cell_at(c, r);
            const int32_t cup = p->cells[anchor];
            if (cup == cup_empty) continue;
            for (const Shape& s : shapes) {
                if (c > s.max_col || r > s.max_row) continue;
                bool same = true;
                for (int k = 0; k < 3; k++) same = same && p->cells[cell_at(c + s.dc[k], r + s.dr[k])] == cup;
                if (!same) continue;
                // A shape that shares a further cell with an earlier one joins its group; the last
                // marked further cell decides, and the anchor's own marker is never consulted.
                int32_t chosen = next_group;
                for (int k = 0; k < 3; k++) {
                    const int8_t marker = p->group[cell_at(c + s.dc[k], r + s.dr[k])];
                    if (marker != 0) chosen = marker;
                }
                p->group[anchor] = static_cast<int8_t>(chosen);
                for (int k = 0; k < 3; k++) p->group[cell_at(c + s.dc[k], r + s.dr[k])] = static_cast<int8_t>(chosen);
                if (chosen == next_group) next_group++;
            }
        }
    }
    return next_group - 1;
}
