// Keyboard and first joystick: the command of the board a person plays.
#pragma once

struct Player;

// Reads the held keys and joystick flags into the record's command: directions and toggle once per
// change, action on every frame it is held. S held asks for a full super meter (cmd_fill_meter).
void poll_controls(Player* p);
