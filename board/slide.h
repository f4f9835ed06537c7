// The cursor, the row/column slides and the action command of a ready board.
#pragma once

struct Player;

// Applies this frame's command: axis toggle, slide progress or start, cursor move, action.
void move_and_slide(Player* p);
