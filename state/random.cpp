#include "state/random.h"

namespace {

constexpr int warm_up_draws = 10 * random_degree;  // draws thrown away after seeding

}  // namespace

void seed_random(Random* random, uint32_t seed) {
    if (seed == 0) seed = 1;
    // The table starts as a multiplicative congruential sequence (Park and Miller's 16807, by
    // Schrage's method), then the generator is run a while to mix it. The seed is taken as a signed
    // 32-bit word, as the C library takes it, so seeds past 2^31 start from a negative word.
    int32_t word = static_cast<int32_t>(seed);
    random->table[0] = word;
    for (int i = 1; i < random_degree; i++) {
        const int64_t hi = word / 127773, lo = word % 127773;
        word = static_cast<int32_t>(16807 * lo - 2836 * hi);
        if (word < 0) word += 2147483647;
        random->table[i] = word;
    }
    random->front = random_lag;
    random->rear = 0;
    for (int k = 0; k < warm_up_draws; k++) next_random(random);
}

int next_random(Random* random) {
    uint32_t& word = reinterpret_cast<uint32_t&>(random->table[random->front]);
    word += static_cast<uint32_t>(random->table[random->rear]);
    const int result = static_cast<int>(word >> 1);  // the lowest bit is the least random
    random->front = (random->front + 1) % random_degree;
    random->rear = (random->rear + 1) % random_degree;
    return result;
}
