// The end of a match between two people: who won it and by how many rounds, on a card over the
// empty boards, and the choice of a rematch or the title.
#pragma once

// Runs the screen until a choice: true for a rematch, false for the title (also on ESC, once it is
// let go, and on the window's close button).
bool rematch_chosen();

// The end of a match against the computer that was played out (lost, or all eight rounds won): its
// record is kept in the records file, and a card says the rounds won, the score, the longest chain
// and whether it made a record, until a key, a button or a click, or five seconds.
void sum_up_match();
