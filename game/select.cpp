#include "game/select.h"

#include <allegro.h>

#include <cstdio>
#include <initializer_list>

#include "control/controls.h"
#include "game/frame.h"
#include "platform/assets.h"
#include "platform/pointer.h"
#include "platform/settings.h"
#include "platform/ticks.h"
#include "platform/window.h"
#include "present/hud.h"
#include "state/match.h"

namespace {

constexpr int bottom_middle_y = panel_height + panel_height / 2;  // 288: between the two rows
constexpr int portrait_x[4] = {2, 66, 130, 194};
constexpr int portrait_y[2] = {2, 98};  // character 0's row, character 1's row
constexpr int row_height = 96;

// The bottom panel's picture: each character's portrait four times on its row.
BITMAP* make_portrait_rows() {
    BITMAP* picture = create_bitmap(screen_width, panel_height);
    if (!picture) fail("out of memory for the character select");
    clear_to_color(picture, 0);
    for (int c = 0; c < 2; c++) {
        BITMAP* portrait = load_picture(portrait_pictures[c]);
        for (int x : portrait_x) blit(portrait, picture, 0, 0, x, portrait_y[c], portrait->w, portrait->h);
        destroy_bitmap(portrait);
    }
    return picture;
}

// The top panel's picture, shown once: it stays while only the bottom panel is redrawn.
void show_top_picture(const PictureFile& file) {
    BITMAP* picture = load_picture(file);
    show_on_window(picture, 0, 0);
    destroy_bitmap(picture);
}

// The top picture, and against the computer its strength on a strip between the picture's last
// two lines (in WATCH it plays both boards at full pace); left and right change it. Kept in the
// settings when the select closes.
constexpr int strength_y = 158;
void draw_strength(BITMAP* top, bool against_cpu) {
    blit(top, top_panel, 0, 0, 0, 0, screen_width, panel_height);
    if (!against_cpu) return;
    char line[48];
    std::snprintf(line, sizeof line, "<  COMPUTER: %s  >", strength_labels[settings.strength]);
    const int w = 176;
    rectfill(top_panel, 128 - w / 2, strength_y - 4, 128 + w / 2, strength_y + 11, makecol(24, 14, 10));
    rect(top_panel, 128 - w / 2, strength_y - 4, 128 + w / 2, strength_y + 11, makecol(200, 150, 70));
    draw_label(top_panel, line, 128, strength_y, makecol(255, 236, 190));
}

int strength_after(int strength, uint8_t command) {
    if (command & cmd_left) strength = strength > 0 ? strength - 1 : 0;
    if (command & cmd_right) strength = strength < strengths - 1 ? strength + 1 : strengths - 1;
    return strength;
}

// A row after up or down.
int8_t row_after(int8_t row, uint8_t command) {
    if (command & cmd_up) return 0;
    if (command & cmd_down) return 1;
    return row;
}

// One person's place on the two-player select: the row they stand on, whether they chose it, and
// whether their keys were seen let go (a break key held from before chooses nothing).
struct Chooser {
    int8_t row;
    bool chosen;
    bool armed;
};

// A person's frame over their half of their row (the left player's the left half), named P1 or P2,
// and READY once chosen.
void draw_chooser(int side, const Chooser& c) {
    const int x1 = side * 128, y1 = row_height * c.row, cx = x1 + 64;
    const int colour = side == 0 ? makecol(110, 190, 255) : makecol(255, 130, 110);
    draw_highlight(bottom_panel, x1, y1, x1 + 127, y1 + row_height - 1, colour);
    rectfill(bottom_panel, cx - 12, y1 + 2, cx + 11, y1 + 12, makecol(24, 14, 10));
    draw_label(bottom_panel, side == 0 ? "P1" : "P2", cx, y1 + 4, colour);
    if (c.chosen) {
        rectfill(bottom_panel, cx - 24, y1 + 40, cx + 23, y1 + 52, makecol(24, 14, 10));
        draw_label(bottom_panel, "READY", cx, y1 + 43, makecol(255, 210, 100));
    }
}

}  // namespace

int8_t character_at(int y) { return y > bottom_middle_y ? 1 : 0; }

int8_t character_select(bool online) {
    // 1. The top panel's picture (in WATCH it says that the computer plays both boards, online that
    // the other player chooses elsewhere), under the strength against the computer; the portraits
    // for the bottom panel.
    const bool against_cpu = !online && match.game_mode != mode_cpu_vs_cpu;
    BITMAP* top = load_picture(online ? online_charsel_picture : against_cpu ? charsel_picture : watch_charsel_picture);
    BITMAP* picture = make_portrait_rows();
    // 2. Frames until a click is released, a row is chosen with the keys, or ESC; while a mouse
    // button is held nothing is redrawn. The highlight goes to the row under the mouse when it moves
    // there.
    int8_t chosen = -1, row = 0;
    Click click = {};
    PointerPlace pointer = pointer_place();
    uint8_t held = menu_keys_down();
    for (int frame = 0; chosen < 0 && !escape_down(); frame++) {
        if (!click.held) {
            draw_strength(top, against_cpu);
            blit(picture, bottom_panel, 0, 0, 0, 0, screen_width, panel_height);
            draw_highlight(bottom_panel, 0, row_height * row, screen_width - 1, row_height * row + row_height - 1,
                           highlight_gold(frame));
            draw_mouse_cursor();
            show_panels();
        }
        const uint8_t command = menu_command(&held);
        row = row_after(row, command);
        if (pointer_moved_over_bottom(&pointer)) row = character_at(pointer.y);
        if (against_cpu) settings.strength = strength_after(settings.strength, command);
        if (command & (cmd_action | cmd_toggle)) chosen = row;
        if (click_released(&click)) chosen = character_at(pointer_y());
        wait_for_tick();
    }
    // 3. Release; a strength changed is kept.
    destroy_bitmap(picture);
    destroy_bitmap(top);
    save_settings_if_changed();
    return chosen;
}

bool pair_character_select(int8_t chosen[2]) {
    show_top_picture(charsel_pair_picture);
    BITMAP* picture = make_portrait_rows();
    Chooser side[2] = {{0, false, false}, {0, false, false}};
    Click click = {};
    while (!(side[0].chosen && side[1].chosen) && !escape_down()) {
        if (!click.held) {
            blit(picture, bottom_panel, 0, 0, 0, 0, screen_width, panel_height);
            for (int k : {0, 1}) draw_chooser(k, side[k]);
            draw_mouse_cursor();
            show_on_window(bottom_panel, 0, panel_height);
        }
        // Each person's own keys move and choose; a chosen row stays.
        for (int k : {0, 1}) {
            poll_pair_controls(players[k]);
            const uint8_t command = players[k]->command;
            if (side[k].chosen) continue;
            side[k].row = row_after(side[k].row, command);
            const bool chooses = command & (cmd_action | cmd_toggle);
            side[k].chosen = chooses && side[k].armed;
            side[k].armed |= !chooses;
        }
        // A click chooses for the first one who has not chosen yet.
        if (click_released(&click)) {
            Chooser& next = side[0].chosen ? side[1] : side[0];
            next = {character_at(pointer_y()), true, true};
        }
        wait_for_tick();
    }
    destroy_bitmap(picture);
    chosen[0] = side[0].row;
    chosen[1] = side[1].row;
    return side[0].chosen && side[1].chosen;
}

void loading_screen() {
    clear_to_color(top_panel, 0);
    textout_centre_ex(top_panel, font, "loading...", screen_width / 2, panel_height / 2, makecol(255, 255, 255), -1);
    show_top_panel();
}
