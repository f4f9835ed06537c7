// Lines of four and 2 x 2 squares of one cup type, numbered into pop groups.
#pragma once

#include <cstdint>

struct Player;

// Marks every match into the group markers; returns how many group numbers were handed out.
int32_t find_matches(Player* p);
