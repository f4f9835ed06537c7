// The title screen: the animated swirl and the title on top, four buttons below, chosen by mouse.
#pragma once

// The four buttons, one per quadrant of the bottom panel; none until a click is released.
enum TitleChoice : int {
    choice_none = 0,
    choice_play = 1,      // upper left: play the left board against the computer
    choice_watch = 2,     // upper right: the computer plays both boards
    choice_tutorial = 3,  // lower left: the tutorial, then a match against the computer
    choice_play_too = 4,  // lower right: play against the computer, as upper left
};

// The button under a point in screen coordinates; the top panel counts as the upper buttons.
TitleChoice title_choice_at(int x, int y);

// Runs the title screen until a button is chosen or ESC, and sets the game mode for the choice. The tutorial, when chosen, runs before it returns.
void title_screen();
