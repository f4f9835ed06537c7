// The mouse on the screens that are played with it: the title and the character select.
#pragma once

// Where the mouse is, in the game's own 256 x 384 coordinates, whatever the window's scale.
int pointer_x();
int pointer_y();

// Draws the mouse cursor, a green filled circle, on the bottom panel under the mouse.
void draw_mouse_cursor();

// A click followed frame by frame: the place where the button is let go is what counts.
struct Click {
    bool held;  // a button went down and is not up again yet
};

// Looks at the mouse buttons once a frame; true on the first frame they are up after a press.
bool click_released(Click* c);

// The mouse's place at the last look, in game coordinates: a screen starts it where the mouse rests
// as it opens, so that only a move counts.
struct PointerPlace {
    int x, y;
};

// Where the mouse is now.
PointerPlace pointer_place();

// Looks at the mouse once a frame; true when it stands elsewhere than at the last look, and over the
// bottom panel.
bool pointer_moved_over_bottom(PointerPlace* last);
