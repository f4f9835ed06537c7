#include "game/records_screen.h"

#include <allegro.h>

#include <cstdio>

#include "control/controls.h"
#include "game/frame.h"
#include "game/records.h"
#include "platform/assets.h"
#include "platform/ticks.h"
#include "present/hud.h"

namespace {

constexpr int strength_y = 116;                // the strength's strip on the top panel
constexpr int first_row_y = 24, row_step = 16;  // the rows' bands on the bottom panel
constexpr int column_x[6] = {8, 40, 78, 112, 150, 212};  // the centres of #, SCORE, WON, CHAIN, WHO, DATE
constexpr const char* who[2] = {"OMB", "QUO"};  // the characters, as short as the column

void draw_strength_strip(int strength) {
    char line[40];
    std::snprintf(line, sizeof line, "<  COMPUTER: %s  >", strength_labels[strength]);
    rectfill(top_panel, 40, strength_y - 4, 215, strength_y + 11, makecol(24, 14, 10));
    rect(top_panel, 40, strength_y - 4, 215, strength_y + 11, makecol(200, 150, 70));
    draw_label(top_panel, line, 128, strength_y, makecol(255, 236, 190));
}

void draw_row(const Record& r, int place, int y) {
    const int cream = makecol(255, 248, 232);
    char cell[6][16];
    std::snprintf(cell[0], sizeof cell[0], "%d", place + 1);
    std::snprintf(cell[1], sizeof cell[1], "%d", r.score);
    std::snprintf(cell[2], sizeof cell[2], "%d", r.rounds_won);
    std::snprintf(cell[3], sizeof cell[3], "%d", r.longest_chain);
    std::snprintf(cell[4], sizeof cell[4], "%s", who[r.character]);
    std::snprintf(cell[5], sizeof cell[5], "%.10s", r.date.c_str());
    for (int k = 0; k < 6; k++) draw_label(bottom_panel, cell[k], column_x[k], y, cream);
}

void draw_records(BITMAP* picture, const RecordTable& table, int strength) {
    blit(picture, top_panel, 0, 0, 0, 0, screen_width, panel_height);
    blit(picture, bottom_panel, 0, panel_height, 0, 0, screen_width, panel_height);
    draw_strength_strip(strength);
    const std::vector<Record>& best = table.best[strength];
    for (size_t k = 0; k < best.size(); k++) draw_row(best[k], static_cast<int>(k), first_row_y + 4 + row_step * static_cast<int>(k));
    if (best.empty()) draw_label(bottom_panel, "NO MATCH PLAYED YET", 128, first_row_y + 4 + row_step * 4, makecol(200, 170, 130));
    show_panels();
}

}  // namespace

void records_screen() {
    BITMAP* picture = load_picture(records_picture);  // 1. the screen's picture and the table
    const RecordTable table = load_records();
    int strength = settings.strength;
    uint8_t held = menu_keys_down();
    // 2. Frames until ESC, Z or Return; left and right turn to another strength.
    for (bool open = true; open;) {
        draw_records(picture, table, strength);
        const uint8_t command = menu_command(&held);
        if ((command & cmd_left) && strength > 0) strength--;
        if ((command & cmd_right) && strength < strengths - 1) strength++;
        open = !(command & (cmd_action | cmd_toggle)) && !escape_down();
        wait_for_tick();
    }
    spend_escape();  // ESC is the screen's, not the title's
    destroy_bitmap(picture);  // 3. release
}
