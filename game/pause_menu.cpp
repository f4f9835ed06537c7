#include "game/pause_menu.h"

#include <allegro.h>

#include "control/controls.h"
#include "game/frame.h"
#include "platform/assets.h"
#include "platform/music.h"
#include "platform/settings.h"
#include "platform/sound.h"
#include "platform/ticks.h"
#include "state/match.h"

namespace {

constexpr int label_w = 120, label_h = 24;              // one label of "menutxt.pcx", full size
constexpr int half_x = 98, half_y = 48, item_step = 12;  // half-size label k at (98, 48 + 12k)
constexpr int full_x = 68, full_y = 42;                  // the selected label at (68, 42 + 12k)
constexpr int bar_left = 68, bar_top = 108, bar_right = 188, bar_bottom = 120;
constexpr int volume_step = 4;

struct MenuPictures {
    BITMAP* labels;     // "menutxt.pcx"
    BITMAP* label;      // one label, to be drawn at half size
    BITMAP* backdrop;   // the bottom panel as the last game frame left it
};

uint8_t* volume_of(int menu_index) {
    if (menu_index == item_music_volume) return &music_volume;
    if (menu_index == item_effects_volume) return &sfx_volume;
    return nullptr;
}

// 1.-4. The background without the boards on top; the labels, the selected one full size, and the
// bar of the selected volume over the frozen game below.
void draw_menu(const MenuPictures& pictures, int menu_index) {
    blit(bg, top_panel, 0, 0, 0, 0, screen_width, panel_height);
    blit(pictures.backdrop, bottom_panel, 0, 0, 0, 0, screen_width, panel_height);
    for (int k = 0; k < menu_items; k++) {
        if (k == menu_index) continue;
        blit(pictures.labels, pictures.label, 0, label_h * k, 0, 0, label_w, label_h);
        stretch_sprite(bottom_panel, pictures.label, half_x, half_y + item_step * k, label_w / 2, label_h / 2);
    }
    masked_blit(pictures.labels, bottom_panel, 0, label_h * menu_index, full_x, full_y + item_step * menu_index,
                label_w, label_h);
    if (const uint8_t* volume = volume_of(menu_index)) {
        const int white = makecol(255, 255, 255);
        rectfill(bottom_panel, bar_left, bar_top, bar_right, bar_bottom, 0);
        rect(bottom_panel, bar_left, bar_top, bar_right, bar_bottom, white);
        rectfill(bottom_panel, bar_left, bar_top, volume_bar_right(*volume), bar_bottom, white);
    }
}

// 8.-10. The command on the selected item: a volume moves, or the item is chosen. False when the
// menu is to close; a quit is said in *asked.
bool act_on(int menu_index, uint8_t command, QuitRequest* asked) {
    if (uint8_t* volume = volume_of(menu_index)) {
        *volume = volume_after(*volume, command);
        if (menu_index == item_music_volume) set_music_level(music_volume / 2);
    }
    if (command < cmd_toggle) return true;
    switch (menu_index) {
    case item_resume:
        return false;
    case item_quit:
        *asked = quit_match;
        return false;
    case item_effects_volume:
        play_sample(break_sound, sfx_volume, centre_pan, normal_speed, 0);  // the test sound
        return true;
    default:
        return true;
    }
}

// The command of whoever plays: the left player's keys against the computer, either person's keys
// between two people.
uint8_t menu_controls() {
    if (match.game_mode != mode_two_players) {
        poll_controls(players[0]);
        return players[0]->command & ~cmd_fill_meter;
    }
    poll_pair_controls(players[0]);
    poll_pair_controls(players[1]);
    return players[0]->command | players[1]->command;
}

}  // namespace

int menu_index_after(int menu_index, uint8_t command) {
    if (command & cmd_up) menu_index += menu_items - 1;
    if (command & cmd_down) menu_index += 1;
    return menu_index % menu_items;
}

uint8_t volume_after(uint8_t volume, uint8_t command) {
    int v = volume;
    if ((command & cmd_left) && v > 1 && v - volume_step >= 0) v -= volume_step;
    if ((command & cmd_right) && v < 254 && v + volume_step <= 255) v += volume_step;
    return static_cast<uint8_t>(v);
}

int volume_bar_right(uint8_t volume) { return bar_left + volume * (bar_right - bar_left) / 255; }

QuitRequest pause_menu() {
    // Opening: the pictures, and the music at half volume.
    MenuPictures pictures = {load_picture(menu_picture), create_bitmap(label_w, label_h),
                             create_bitmap(screen_width, panel_height)};
    if (!pictures.label || !pictures.backdrop) fail("out of memory for the pause menu");
    blit(bottom_panel, pictures.backdrop, 0, 0, 0, 0, screen_width, panel_height);
    set_music_level(music_volume / 2);
    int menu_index = item_resume;
    QuitRequest asked = quit_none;
    // One pass a frame until resume or quit.
    bool open = true;
    while (open) {
        draw_menu(pictures, menu_index);                    // 1.-4. the menu over the frozen game
        show_panels();                                      // 5. to the window
        const uint8_t command = menu_controls();            // 6. the players' controls
        menu_index = menu_index_after(menu_index, command);  // 7. up and down, wrapping
        open = act_on(menu_index, command, &asked);         // 8.-10. volumes, or the choice
        if (close_requested()) {                            // the window's close button ends it all
            asked = quit_program;
            open = false;
        }
        if (open) wait_for_tick();
    }
    // Closing: release, the music back at its volume, and the next game frame at once.
    destroy_bitmap(pictures.labels);
    destroy_bitmap(pictures.label);
    destroy_bitmap(pictures.backdrop);
    set_music_level(music_volume);
    save_settings_if_changed();  // a volume moved: kept for the next run
    leave_tick_pending();
    return asked;
}
