// The paced frame loop: the 40 ms tick, the per-frame counters and the four kinds of frame.
#pragma once

#include <atomic>
#include <cstdint>

extern std::atomic<int> tick_count;  // timer ticks since the last frame ended; the timer thread adds 1
extern int8_t half_tick;             // 0 or 1, toggles every battle or tutorial frame
extern int8_t anim_tick;             // 0..8, decoration phase, moves on every second such frame

// Adds one tick and wakes the frame loop; called by the timer every 40 ms.
void count_tick();

// Ends a frame of every paced loop of the game: sleeps until a tick has come (at once when one
// already has), then clears the count. With `between_frames` set it runs that instead of waiting.
void wait_for_tick();

// What happens between two frames when no timer paces the game: null in the game; the simulator
// sets a routine that only counts frames, so rounds run flat out, and tests set one that scripts
// the keys and the mouse frame by frame.
extern void (*between_frames)();

// Leaves one tick pending, so that the next paced frame comes at once (after a screen that closed
// in the middle of a frame's wait, such as the pause menu).
void leave_tick_pending();

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
