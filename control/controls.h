// Keyboard and first joystick: the command of the board a person plays.
#pragma once

struct Player;

// Reads the held keys and joystick flags into the record's command: directions and toggle once per
// change, action on every frame it is held. S held fills the super meter.
void poll_controls(Player* p);
