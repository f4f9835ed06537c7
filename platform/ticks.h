// The 40 ms tick that paces every frame of the game.
#pragma once

#include <atomic>

extern std::atomic<int> tick_count;  // timer ticks since the last frame ended; the timer thread adds 1

// The timer callback, every 40 ms: adds one tick and wakes the frame loop.
void timer_tick();

// Ends a frame of every paced loop of the game: feeds the music, then sleeps until a tick has come (at once when one
// already has), then clears the count. With `between_frames` set it runs that instead of waiting.
void wait_for_tick();

// Sleeps until a tick has come (at once when one already has), then clears the count, whatever
// `between_frames` says: for a routine set there that paces frames itself.
void wait_for_timer();

// What happens between two frames when no timer paces the game: null in the game; the simulator
// sets a routine that only counts frames, so rounds run flat out, and tests set one that scripts
// the keys and the mouse frame by frame.
extern void (*between_frames)();

// While set, frames are stepped that nobody sees (a rollback or a replay catching up): the window
// is left alone, the sound effects are not played unless gathered (platform/sound.h) and the
// characters are not drawn, while everything a frame changes in the match goes on exactly as when
// it is shown. Clear in the game.
extern bool frames_unseen;

// Leaves one tick pending, so that the next paced frame comes at once (after a screen that closed
// in the middle of a frame's wait, such as the pause menu).
void leave_tick_pending();
