#include "control/controls.h"

#include <allegro.h>

#include "state/player.h"

const KeySet solo_keys = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_X, KEY_Z, KEY_S, 0};
// Each person's keys lie under one hand. No modifier key: the X keyboard reports a right Shift or
// Ctrl as the left one too.
const KeySet pair_keys[2] = {
    {KEY_W, KEY_S, KEY_A, KEY_D, KEY_Q, KEY_E, no_key, 0},
    {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_STOP, KEY_SLASH, no_key, 1},
};

namespace {

constexpr uint8_t tracked_bits = cmd_directions | cmd_toggle;  // reported once per change

// The command bits held now, the set's keys and its joystick merged bit by bit.
uint8_t held_bits(const KeySet& keys) {
    const JOYSTICK_INFO& pad = joy[keys.joystick];
    const bool up = key[keys.up] || pad.stick[0].axis[1].d1;
    const bool down = key[keys.down] || pad.stick[0].axis[1].d2;
    const bool left = key[keys.left] || pad.stick[0].axis[0].d1;
    const bool right = key[keys.right] || pad.stick[0].axis[0].d2;
    const bool toggle = key[keys.toggle] || pad.button[0].b;
    const bool action = key[keys.action] || pad.button[1].b;
    return (up ? cmd_up : 0) | (down ? cmd_down : 0) | (left ? cmd_left : 0) | (right ? cmd_right : 0) |
           (toggle ? cmd_toggle : 0) | (action ? cmd_action : 0);
}

}  // namespace

void poll_keys(Player* p, const KeySet& keys) {
    p->command = 0;
    poll_joystick();
    const uint8_t held = held_bits(keys);
    p->command = held & cmd_action;
    if ((held & tracked_bits) != p->held_dirs) {
        p->command = held;
        p->held_dirs = held & tracked_bits;
    }
    if (keys.fill_meter != no_key && key[keys.fill_meter]) p->command |= cmd_fill_meter;
}

void poll_controls(Player* p) { poll_keys(p, solo_keys); }

void poll_pair_controls(Player* p) { poll_keys(p, pair_keys[p->index]); }

uint8_t menu_keys_down() {
    constexpr KeySet arrows = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_X, KEY_Z, no_key, 0};
    constexpr KeySet second_pad = {no_key, no_key, no_key, no_key, no_key, KEY_ENTER, no_key, 1};
    poll_joystick();
    return static_cast<uint8_t>(held_bits(arrows) | held_bits(second_pad));
}

uint8_t menu_command(uint8_t* held) {
    const uint8_t now = menu_keys_down();
    const uint8_t pressed = now & ~*held;
    *held = now;
    return pressed;
}
