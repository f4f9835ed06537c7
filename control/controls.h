// A person's keys and joystick: the command of the board a person plays. Against the computer the
// left board takes the arrows, X, Z and S and the first joystick; two people at one keyboard each
// take a set of their own, and a joystick each.
#pragma once

#include <cstdint>

struct Player;

constexpr int no_key = 0;  // no Allegro key code is 0

// The keys of one person, as Allegro key codes, and the joystick that does the same (index in joy[]).
struct KeySet {
    int up, down, left, right;
    int toggle;      // row / column mode
    int action;      // break
    int fill_meter;  // practice: held, the super meter fills (only against the computer); or no_key
    int joystick;
};

// The keys come from the settings (platform/settings.h), whose defaults are the game's own:
KeySet solo_keys();          // one person against the computer: arrows, X, Z, and S; joystick 0
KeySet pair_keys(int side);  // two people, by board: W A S D, Q, E; the arrows, '.', '/'; joystick = side

// Reads the held keys and joystick flags of a set into the record's command: directions and toggle
// once per change (the record's held_dirs remembers the last set), action on every frame it is held,
// the practice key as cmd_fill_meter. With the settings' repeat, a direction held unchanged is
// reported again after repeat_delay frames, then every repeat_rate frames.
void poll_keys(Player* p, const KeySet& keys);

// The command source of the board a person plays against the computer: solo_keys.
void poll_controls(Player* p);

// The command source of each board when two people play: pair_keys of the board's side.
void poll_pair_controls(Player* p);

// The screens' command: the arrows, Z or Return to choose, and the first two joysticks (stick and
// first two buttons). Each bit once per press: a bit is reported on the frame it goes down; *held
// keeps what was down, between calls of one screen.
uint8_t menu_command(uint8_t* held);
// What is down as a screen opens: a key still held from the screen before (the Z that chose quit
// in the pause menu) counts only once it is let go and pressed again.
uint8_t menu_keys_down();
