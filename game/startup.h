// Start-up and shutdown of the game.
#pragma once

// Brings the game up: Allegro, the window (enlarged by the scale asked for, 1..4, or by the one that
// fits the desktop when that is 0), every shared asset, the computer's script, the timer, both
// player records and the check of their characters' data, and the random numbers.
// On any failure it reports one line naming the cause and exits with a non-zero status.
void start_game(int scale_asked);

// Releases everything start_game made, in a fixed order; safe after a partial start.
void shut_down_game();
