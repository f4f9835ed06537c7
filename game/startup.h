// Start-up and shutdown of the game.
#pragma once

// Brings the game up: Allegro, the window (enlarged by the scale asked for, 1..4, or by the one that
// fits the desktop when that is 0), the panels, the computer's script, the timer, both player
// records and the random numbers; finish_start_up loads and checks the rest.
// On any failure it reports one line naming the cause and exits with a non-zero status.
void start_game(int scale_asked);

// What can wait until the first frame shows: the shared pictures and sounds of a match, loaded, and
// the checks of every screen picture and music track the game loads later and of both characters'
// files. Runs once, the first time it is called: by the title right after its first frame, or before
// the first screen that follows when there is no title. A fault stops the game with one line, before
// any screen uses the file.
void finish_start_up();

// Releases everything start_game made, in a fixed order; safe after a partial start.
void shut_down_game();
