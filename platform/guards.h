// What the game does about its surroundings: standard descriptors that a launcher closed, the stop
// signals, a display that goes away and a sound library that talks at start-up.
#pragma once

// Opens /dev/null on each of the descriptors 0, 1 and 2 that is closed, so that no file the game
// opens later (the connection to the X server above all) takes the place of standard error.
void open_standard_descriptors();

// Holds SIGTERM and SIGINT back on this thread (and the threads it starts) until catch_stop_signals.
// Allegro's start-up installs handlers of its own that shut the library down inside the signal,
// under the feet of the drawing thread: none of them may run.
void hold_stop_signals();

// From here on SIGTERM and SIGINT end the game the way the window's close button does: the match
// ends and the game shuts down on its own thread. A second such signal ends the game at once.
// A signal that came while they were held is taken now.
void catch_stop_signals();

// The stop signal that came, or 0.
int stop_signal();

// From here on, a lost connection to the X server ends the game at once with one line and status 1,
// before the display library's own handler would shut it down on another thread.
void watch_display();

// While `hushed`, the ALSA library's error messages (a machine without a sound card gives a dozen
// at start-up) are dropped instead of written on standard error.
void hush_sound_library(bool hushed);
