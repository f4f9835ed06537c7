#include "game/keys_screen.h"

#include <allegro.h>

#include <string>

#include "control/controls.h"
#include "game/frame.h"
#include "platform/assets.h"
#include "platform/settings.h"
#include "platform/ticks.h"
#include "present/hud.h"

namespace {

constexpr int set_y = 112, message_y = 142;     // the strips on the top panel
constexpr int first_row_y = 8, row_step = 28;   // the action rows on the bottom panel
constexpr int key_x = 188;                      // the centre of the keys' column
constexpr const char* set_labels[key_sets] = {"ONE PLAYER", "LEFT PLAYER", "RIGHT PLAYER"};

// Where the screen stands: whose keys, which action, and whether it waits for a new key.
struct KeysView {
    int set = keys_one_player;
    int action = key_up;
    bool waiting = false;
    std::string message;  // a refusal, or "" for the usual line
};

void draw_strip(const char* text, int y, int colour) {
    rectfill(top_panel, 24, y - 4, 231, y + 11, makecol(24, 14, 10));
    rect(top_panel, 24, y - 4, 231, y + 11, makecol(200, 150, 70));
    draw_label(top_panel, text, 128, y, colour);
}

void draw_keys(BITMAP* picture, const KeysView& v, int frame) {
    blit(picture, top_panel, 0, 0, 0, 0, screen_width, panel_height);
    blit(picture, bottom_panel, 0, panel_height, 0, 0, screen_width, panel_height);
    draw_strip(("<  " + std::string(set_labels[v.set]) + "  >").c_str(), set_y, makecol(255, 236, 190));
    const char* message = v.waiting ? "PRESS A KEY  (ESC: KEEP)" : v.message.c_str();
    if (message[0]) draw_strip(message, message_y, makecol(255, 210, 100));
    for (int a = 0; a < key_actions; a++) {
        const int y = first_row_y + row_step * a;
        const bool blank = v.waiting && a == v.action && frame % 10 < 5;
        if (!blank) draw_label(bottom_panel, key_name(settings.keys[v.set][a]), key_x, y + 9, makecol(255, 248, 232));
    }
    const int y = first_row_y + row_step * v.action;
    draw_highlight(bottom_panel, 6, y - 2, 249, y + 27, highlight_gold(frame));
    show_panels();
}

// The key that went down this frame and was not down the frame before, or 0.
int new_key(bool was_down[KEY_MAX]) {
    int pressed = 0;
    for (int code = 1; code < KEY_MAX; code++) {
        if (key[code] && !was_down[code] && pressed == 0) pressed = code;
        was_down[code] = key[code];
    }
    return pressed;
}

// A frame of the screen as it waits for a new key (the key pressed this frame, or 0): ESC keeps the
// old one.
void take_key(KeysView* v, int code) {
    if (code == 0) return;
    v->waiting = false;
    if (code == KEY_ESC) spend_escape();  // kept the old key: the screen stays open
    else v->message = assign_key(&settings, v->set, v->action, code);
}

// A frame of the screen as it shows the keys: false when it is to close.
bool browse(KeysView* v, uint8_t command) {
    if (command & cmd_up) v->action = (v->action + key_actions - 1) % key_actions;
    if (command & cmd_down) v->action = (v->action + 1) % key_actions;
    if (command & cmd_left) v->set = (v->set + key_sets - 1) % key_sets;
    if (command & cmd_right) v->set = (v->set + 1) % key_sets;
    if (command) v->message.clear();
    v->waiting = command & (cmd_action | cmd_toggle);
    return !escape_down();
}

}  // namespace

void keys_screen() {
    BITMAP* picture = load_picture(keys_picture);  // 1. the screen's picture
    KeysView view;
    uint8_t held = menu_keys_down();
    bool was_down[KEY_MAX] = {};
    for (int code = 1; code < KEY_MAX; code++) was_down[code] = key[code];
    // 2. Frames until ESC: browse the keys, or wait for a new one.
    bool open = true;
    for (int frame = 0; open && !close_requested(); frame++) {
        draw_keys(picture, view, frame);
        const bool waiting = view.waiting;
        const uint8_t command = menu_command(&held);
        const int pressed = new_key(was_down);
        if (waiting) take_key(&view, pressed);
        else open = browse(&view, command);
        wait_for_tick();
    }
    spend_escape();  // ESC is the screen's, not the title's
    destroy_bitmap(picture);  // 3. release; the keys changed are kept
    save_settings_if_changed();
}
