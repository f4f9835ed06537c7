// The title screen: the animated swirl and the title on top, the choices below as buttons, chosen
// with the mouse, or with the arrows, Z or Return and the joysticks moving a highlight over them (a
// moving mouse takes the highlight along).
// TAB turns to the second page of choices (two players) and back; there H hosts a match against
// another machine and J joins one.
#pragma once

// The choices: the four buttons of the first page, one per quadrant of the bottom panel, and those
// of the second page, one per half; none until one is chosen.
enum TitleChoice : int {
    choice_none = 0,
    choice_play = 1,         // first page, upper left: play the left board against the computer
    choice_watch = 2,        // upper right: the computer plays both boards
    choice_tutorial = 3,     // lower left: the tutorial, then a match against the computer
    choice_play_too = 4,     // lower right: play against the computer, as upper left
    choice_two_players = 5,  // second page, upper half: two people, one board each
    choice_back = 6,         // second page, lower half: back to the first page
    choice_host = 7,         // second page, H: host a match against another machine
    choice_join = 8,         // second page, J: join one
};

constexpr int title_pages = 2;

// The button under a point in screen coordinates on a page; the top panel counts as the upper
// buttons.
TitleChoice title_choice_at(int x, int y, int page = 0);

// Runs the title screen until a choice is made or ESC, and sets the game mode for the choice. The
// tutorial, when chosen, runs before it returns. `once_shown`, when given, runs once the first frame
// is on the window. Returns the choice (choice_none on ESC).
TitleChoice title_screen(void (*once_shown)() = nullptr);
