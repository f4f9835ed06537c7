// The cost of the match state as one value: saving and restoring it (rollback does both every time
// the other side's commands arrive late; the target is 20 µs together) and its checksum (taken every
// frame; the target is 5 µs).
#include <benchmark/benchmark.h>

#include "game/frame.h"
#include "headless.h"
#include "state/match.h"

namespace {

// A battle played until both boards are sliding a refill in: the dearest state to save, since the
// board pictures go with it then.
void both_boards_refilling() {
    start_headless();
    reset_game_state();
    set_game_mode(mode_cpu_vs_cpu);
    for (Player* p : players) p->state = falling;
    while (players[0]->refill_offset == 0 || players[1]->refill_offset == 0) battle_frame();
}

void BM_SaveAndRestore(benchmark::State& state) {
    both_boards_refilling();
    static MatchState saved;
    for (auto _ : state) {
        save_match(&saved);
        restore_match(saved);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SaveAndRestore);

void BM_Checksum(benchmark::State& state) {
    both_boards_refilling();
    for (auto _ : state) benchmark::DoNotOptimize(live_checksum());
}
BENCHMARK(BM_Checksum);

}  // namespace
