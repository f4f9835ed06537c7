// Per-round reset of a side and the character data it plays with.
#pragma once

struct Player;

// Resets the record for a new round and loads the character's data when the character changed.
void prepare_round(Player* p, int character);
