// cupclash --replay FILE: a replay played back in the window as it was played, paced by the timer.
// Keys: space pauses and resumes, the right arrow plays one frame (and pauses), 1, 2 and 3 play at
// normal speed, 4 and 16 times as fast; ESC ends the program. The last frame stays until ESC.
#pragma once

#include <string>

// Plays the replay file in a window (enlarged by the scale asked for, as start_game takes it) and
// returns the exit status. A file that cannot be played here, or a playback that drifts from its
// recording, is one line "cupclash: replay "FILE" ..." and status 1.
int watch_replay(const std::string& file, int window_scale_asked);
