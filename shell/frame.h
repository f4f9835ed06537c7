// The paced frame loop: the 40 ms tick, the per-frame counters and the four kinds of frame.
#pragma once

#include <atomic>
#include <cstdint>

extern std::atomic<int> tick_count;  // timer ticks since the last frame ended; the timer thread adds 1
extern int8_t half_tick;             // 0 or 1, toggles every battle or tutorial frame
extern int8_t anim_tick;             // 0..8, decoration phase, moves on every second such frame

// Adds one tick and wakes the frame loop; called by the timer every 40 ms.
void count_tick();

// Ends a frame: sleeps until a tick has come (at once when one already has), then clears the count.
void wait_for_tick();

// One frame of a round in play (also while a round settles): both boards, characters, HUD.
void battle_frame();
// One frame of the tutorial: the left board only; the bottom panel is left to the tutorial.
void tutorial_frame();
// One frame of the round result: the boards pop their last cups under the sliding banners.
void result_frame();
// One frame of the round intro: the word and the round digit over the background.
void intro_frame();

// Copies top_panel to the screen at y 0 and bottom_panel at y 192.
void show_panels();
// Copies top_panel alone to the screen at y 0.
void show_top_panel();
