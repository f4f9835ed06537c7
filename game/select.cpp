#include "game/select.h"

#include <allegro.h>

#include "platform/assets.h"
#include "game/frame.h"
#include "platform/ticks.h"
#include "platform/pointer.h"
#include "platform/window.h"

namespace {

constexpr int bottom_middle_y = panel_height + panel_height / 2;  // 288: between the two rows
constexpr int portrait_x[4] = {2, 66, 130, 194};
constexpr int portrait_y[2] = {2, 98};  // character 0's row, character 1's row

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

}  // namespace

int8_t character_at(int y) { return y > bottom_middle_y ? 1 : 0; }

int8_t character_select() {
    // 1. The top panel's picture, shown once; the portraits for the bottom panel.
    BITMAP* charsel = load_picture(charsel_picture);
    show_on_window(charsel, 0, 0);
    destroy_bitmap(charsel);
    BITMAP* picture = make_portrait_rows();
    // 2. Frames until a click is released, or ESC; while a button is held nothing is redrawn.
    int8_t chosen = -1;
    Click click = {};
    while (chosen < 0 && !escape_down()) {
        if (!click.held) {
            blit(picture, bottom_panel, 0, 0, 0, 0, screen_width, panel_height);
            draw_mouse_cursor();
            show_on_window(bottom_panel, 0, panel_height);
        }
        if (click_released(&click)) chosen = character_at(pointer_y());
        wait_for_tick();
    }
    // 3. Release.
    destroy_bitmap(picture);
    return chosen;
}

void loading_screen() {
    clear_to_color(top_panel, 0);
    textout_centre_ex(top_panel, font, "loading...", screen_width / 2, panel_height / 2, makecol(255, 255, 255), -1);
    show_top_panel();
}
