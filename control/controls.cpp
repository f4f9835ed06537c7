#include "control/controls.h"

#include <allegro.h>

#include "platform/settings.h"
#include "state/player.h"

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

// A set of the settings' keys, with the practice key and the joystick that go with it.
KeySet key_set(int set, int fill_meter, int joystick) {
    const int* k = settings.keys[set];
    return {k[key_up], k[key_down], k[key_left], k[key_right], k[key_toggle], k[key_action], fill_meter, joystick};
}

// With the repeat set, a direction held unchanged is reported again after the delay, then at the rate.
bool repeat_due(Player* p) {
    if (settings.repeat_delay == 0 || (p->held_dirs & cmd_directions) == 0) return false;
    const int since = ++p->held_frames - settings.repeat_delay;
    return since >= 0 && since % settings.repeat_rate == 0;
}

}  // namespace

KeySet solo_keys() { return key_set(keys_one_player, KEY_S, 0); }

KeySet pair_keys(int side) { return key_set(side == 0 ? keys_left_player : keys_right_player, no_key, side); }

void poll_keys(Player* p, const KeySet& keys) {
    p->command = 0;
    poll_joystick();
    const uint8_t held = held_bits(keys);
    p->command = held & cmd_action;
    if ((held & tracked_bits) != p->held_dirs) {
        p->command = held;
        p->held_dirs = held & tracked_bits;
        p->held_frames = 0;
    } else if (repeat_due(p)) {
        p->command |= held & cmd_directions;
    }
    if (keys.fill_meter != no_key && key[keys.fill_meter]) p->command |= cmd_fill_meter;
}

void poll_controls(Player* p) { poll_keys(p, solo_keys()); }

void poll_pair_controls(Player* p) { poll_keys(p, pair_keys(p->index)); }

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
