// The cost of one battle frame: both boards stepped and drawn by the computer, the characters, the
// balance bar and the scores composed, and both panels copied to the screen (here a memory bitmap),
// and the copy of the panels to an enlarged window. A frame has 40 ms; these figures say how much of
// it the game itself takes.
//
// Run from the game folder (build/game), where "AI_list.txt" and the characters' data lie, so that the
// computer follows its script as in the game: ./benchmarks --benchmark_filter=BattleFrame
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "state/player.h"
#include "control/cpu.h"
#include "headless.h"
#include "present/character_data.h"
#include "platform/assets.h"
#include "game/frame.h"
#include "platform/ticks.h"
#include "game/flow.h"
#include "state/match.h"
#include "platform/window.h"

namespace {

// Full boards without a match: each 2 x 2 block and each line of four holds at least two types.
const std::vector<std::string> full_board = {
    "112233", "233112", "331122", "122331", "223311",
    "311223", "112233", "233112", "331122", "122331",
};

// A character whose frames have the size of the real ones: figures on transparent sheets 160 wide, so
// that both characters compose as in the game. A frame costs the same whatever the number of frames
// in its sheet, so the sheets are short (4 frames of idle, 2 for the rest) and quick to make anew.
void give_realistic_character(Player* p) {
    release_character_data(p);
    for (int id = 0; id <= anim_lose; id++) {
        const int frames = id == anim_idle ? 4 : 2;
        BITMAP* sheet = create_bitmap(160, frames * frame_height);
        clear_to_color(sheet, mask_colour());
        for (int f = 0; f < frames; f++)
            ellipsefill(sheet, 80, f * frame_height + 110, 40 + f % 5, 70, makecol(90 + 10 * id, 60, 40));
        p->anims[id] = anim_from_sheet(sheet, anim_idle, p->index);
        destroy_bitmap(sheet);
    }
}

// Both players at the start of a round in which the computer plays both boards on full boards.
void fresh_battle() {
    reset_game_state();
    for (Player* p : players) give_realistic_character(p);
    set_game_mode(mode_cpu_vs_cpu);
    for (Player* p : players) {
        set_board(p, full_board);
        set_pattern(p, full_board);
        p->state = ready;
    }
    if (ai_list.empty()) read_ai_script("AI_list.txt");
}

// One frame on boards just filled: what a frame costs when both boards are full and ready and the
// computer looks for its next slide.
void BM_BattleFrameFullBoards(benchmark::State& state) {
    start_headless();
    for (auto _ : state) {
        state.PauseTiming();
        fresh_battle();
        match.ai_go = 1;  // the computer decides on this frame
        state.ResumeTiming();
        battle_frame();
    }
    state.SetLabel(!ai_list.empty() ? "scripted computer" : "no AI_list.txt: random computer");
}
BENCHMARK(BM_BattleFrameFullBoards)->Unit(benchmark::kMicrosecond);

// Frames of play: the computer plays both boards on and on (slides, breaks, falls, refills,
// attacks); the boards are filled again every 1000 frames (40 s of play) so that play never dies
// out. The mean over many frames is the typical cost of a frame.
void BM_BattleFramePlay(benchmark::State& state) {
    start_headless();
    fresh_battle();
    long frames = 0, points = 0;
    for (auto _ : state) {
        if (++frames % 1000 == 0) {
            state.PauseTiming();
            points += players[0]->score + players[1]->score;
            fresh_battle();
            state.ResumeTiming();
        }
        battle_frame();
    }
    points += players[0]->score + players[1]->score;
    // Points scored per frame of play on both boards: shows that the computer really played.
    state.counters["points_per_frame"] = static_cast<double>(points) / static_cast<double>(frames);
    state.SetLabel(!ai_list.empty() ? "scripted computer" : "no AI_list.txt: random computer");
}
BENCHMARK(BM_BattleFramePlay)->Unit(benchmark::kMicrosecond);

// The floor: copying the background and both panels, with nothing stepped.
void BM_ShowPanelsOnly(benchmark::State& state) {
    start_headless();
    fresh_battle();
    for (auto _ : state) {
        blit(bg, top_panel, 0, 0, 0, 0, screen_width, panel_height);
        show_panels();
    }
}
BENCHMARK(BM_ShowPanelsOnly)->Unit(benchmark::kMicrosecond);

// Both panels shown whole on a window enlarged by the argument (2, 3 or 4), as when every pixel has
// changed: at 3 a frame writes 768 x 1152 pixels. The window here is a memory bitmap of that size.
void BM_ShowPanelsEnlarged(benchmark::State& state) {
    start_headless();
    fresh_battle();
    const int n = static_cast<int>(state.range(0));
    BITMAP* const game_screen = screen;
    screen = create_bitmap(screen_width * n, 2 * panel_height * n);
    window_scale = n;
    blit(bg, top_panel, 0, 0, 0, 0, screen_width, panel_height);
    for (auto _ : state) {
        forget_window();
        show_panels();
    }
    window_scale = 1;
    destroy_bitmap(screen);
    screen = game_screen;
}
BENCHMARK(BM_ShowPanelsEnlarged)->DenseRange(2, largest_window_scale)->Unit(benchmark::kMicrosecond);

// The character load at a change of character, the moment of the loading screen: the lists, the
// pattern, the sheets and the samples of the game folder, characters 0 and 1 in turn.
void BM_CharacterLoad(benchmark::State& state) {
    start_headless();
    reset_game_state();
    Player* p = players[1];
    int character = 0;
    for (auto _ : state) {
        release_character_data(p);
        const std::string error = load_character_data(p, character);
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            break;
        }
        character = 1 - character;
    }
}
BENCHMARK(BM_CharacterLoad)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
