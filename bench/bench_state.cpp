// The cost of the match state as one value: saving and restoring it (rollback does both every time
// the other side's commands arrive late; the target is 20 µs together) and its checksum (taken every
// frame; the target is 5 µs).
#include <benchmark/benchmark.h>

#include "game/frame.h"
#include "game/rollback.h"
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

// A rollback of eight frames: the state before them restored and eight battle frames stepped again,
// unseen (the target is 2 ms).
void BM_RollbackOfEightFrames(benchmark::State& state) {
    both_boards_refilling();
    Rollback r;
    reset_rollback(&r, 0, 0);
    command_sources[0] = command_sources[1] = stepped_command;
    for (uint32_t k = 0; k < most_rollback; k++) {
        add_local_command(&r, cmd_action);
        step_frame(&r, battle_frame);
    }
    const std::vector<uint8_t> theirs(most_rollback, cmd_left | cmd_action);
    for (auto _ : state) {
        r.remote_known = 0;
        r.commands[1].clear();
        r.guessed.assign(most_rollback, 0);
        add_remote_commands(&r, 0, theirs);  // every guess was wrong: all eight frames again
        correct(&r, battle_frame, [] { return true; });
    }
    if (r.rollbacks != state.iterations()) state.SkipWithError("a pass rolled nothing back");
}
BENCHMARK(BM_RollbackOfEightFrames)->Unit(benchmark::kMicrosecond);
