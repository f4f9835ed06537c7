// The game's window. The game draws everything in its own 256 x 384 pixels; the window may show
// them enlarged by a whole factor, each game pixel as a square of window pixels (crisp pixel art on
// a large desktop). Only this module and the mouse reader know the window's real size.
#pragma once

#include <allegro.h>

constexpr int largest_window_scale = 4;

extern int window_scale;  // 1..4: window pixels per game pixel, along each side
extern int window_left, window_top;  // where the game's picture lies on the screen: 0, 0 in a window,
                                     // centred on black when it fills the screen

// The largest scale whose window fits on a desktop of the given size, its height within 85 % of the
// desktop's (room for a panel and the window's title bar); 1 when the size is unknown (0 or less).
int choose_window_scale(int desktop_width, int desktop_height);

// The scale the window opens at: the one asked for (0: the largest that fits), but never larger
// than the largest that fits a desktop of the given size; an unknown size (0 or less) changes
// nothing asked for.
int window_scale_for(int asked, int desktop_width, int desktop_height);

// Opens the window at window_scale_for the desktop Allegro reports, saying so in one line when the
// scale asked for does not fit, and names it; or, with `fullscreen`, fills the screen with the game
// at the largest whole scale that fits it, centred on black (when the screen cannot be filled: one
// line, and a window). Fails with one line when no window can be opened. Allegro must be up.
void open_window(int scale, bool fullscreen = false);

// Whether the game fills the screen now.
bool filling_screen();

// Shows 192 rows of a 256-wide 16-bit memory picture, from its row source_y on, on the half of the
// window at game row window_y (0 or 192). Enlarged, only the rows and columns that differ from what
// the window shows are sent on: each new pixel costs the window's colour conversion nine times
// over at scale 3. What it draws goes to the X server at once, not when Allegro's input thread next
// flushes the connection. Does nothing while frames_unseen (platform/ticks.h) is set.
void show_on_window(BITMAP* source, int source_y, int window_y);

// Forgets what the window shows, so that the next picture on each half is sent whole (for a
// `screen` that something else has drawn on).
void forget_window();

// Releases the pictures an enlarged window keeps.
void release_window_pictures();
