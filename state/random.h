// The game's random numbers: an additive lagged-Fibonacci generator whose whole state is a plain
// value, so that it is saved and restored with the match. For a given seed it draws the very
// numbers the C library's srand/rand draw on Debian (glibc's default generator), so a seed keeps
// its meaning: the simulator's figures and every stored seed stay as they were.
#pragma once

#include <cstdint>

constexpr int random_degree = 31;  // words of the table
constexpr int random_lag = 3;      // distance between the two taps

struct Random {
    int32_t table[random_degree];  // the generator's words
    int32_t front;                 // index of the word that takes the sum next
    int32_t rear;                  // index of the word added to it
};

// The state after srand(seed): seed 0 counts as 1, as in the C library.
void seed_random(Random* random, uint32_t seed);

// The next number, 0..2^31 - 1, as rand() gives it.
int next_random(Random* random);
