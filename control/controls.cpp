#include "control/controls.h"

#include <allegro.h>

#include "state/player.h"

namespace {

constexpr uint8_t tracked_bits = cmd_directions | cmd_toggle;  // reported once per change

// The command bits held now, keyboard and first joystick merged bit by bit.
uint8_t held_bits() {
    const JOYSTICK_INFO& pad = joy[0];
    const bool up = key[KEY_UP] || pad.stick[0].axis[1].d1;
    const bool down = key[KEY_DOWN] || pad.stick[0].axis[1].d2;
    const bool left = key[KEY_LEFT] || pad.stick[0].axis[0].d1;
    const bool right = key[KEY_RIGHT] || pad.stick[0].axis[0].d2;
    const bool toggle = key[KEY_X] || pad.button[0].b;
    const bool action = key[KEY_Z] || pad.button[1].b;
    return (up ? cmd_up : 0) | (down ? cmd_down : 0) | (left ? cmd_left : 0) | (right ? cmd_right : 0) |
           (toggle ? cmd_toggle : 0) | (action ? cmd_action : 0);
}

}  // namespace

void poll_controls(Player* p) {
    p->command = 0;
    poll_joystick();
    const uint8_t held = held_bits();
    p->command = held & cmd_action;
    if ((held & tracked_bits) != p->held_dirs) {
        p->command = held;
        p->held_dirs = held & tracked_bits;
    }
    if (key[KEY_S]) p->command |= cmd_fill_meter;
}
