// The pause and volume menu, opened by ESC during a round: resume, quit the match, and the music
// and sound-effects volumes, driven by the left player's controls (either person's when two play).
#pragma once

#include <cstdint>

// What the player asked to leave.
enum QuitRequest : uint8_t {
    quit_none = 0,
    quit_match = 1,    // end the match and return to the title screen
    quit_program = 2,  // end the program
};

// The items, top to bottom, as rows of "menutxt.pcx".
enum MenuItem : int {
    item_resume = 0,         // the menu closes and the round goes on
    item_quit = 1,           // the match ends and the title screen returns
    item_music_volume = 2,   // left and right change music_volume
    item_effects_volume = 3, // left and right change sfx_volume; the action plays a test sound
};
constexpr int menu_items = 4;

// The item selected after the command's up and down: one up or down, wrapping round.
int menu_index_after(int menu_index, uint8_t command);
// A volume after the command's left and right: 4 less or more, kept within 0..252 from 128.
uint8_t volume_after(uint8_t volume, uint8_t command);
// The right edge of the volume bar's white fill for a volume: x 68 at 0, 128 at 128, 186 at 252.
int volume_bar_right(uint8_t volume);

// Runs the menu until resume or quit is selected, or the window's close button is pressed, and
// returns what the player asked to leave: nothing, the match or the program. The game is frozen
// meanwhile and the music plays at half volume.
QuitRequest pause_menu();
