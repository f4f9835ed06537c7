// The end of a match between two people: who won it and by how many rounds, on a card over the
// empty boards, and the choice of a rematch or the title.
#pragma once

#include <cstdint>

#include "platform/pointer.h"

// Runs the screen until a choice: true for a rematch, false for the title (also on ESC, once it is
// let go, and on the window's close button).
bool rematch_chosen();

// A player's choice on the end card, so far.
enum EndChoice { end_undecided, end_rematch, end_title };

// Online each player has a card of their own on their own machine.
struct EndCard {
    int selected = 0;  // under the highlight: REMATCH (0) or TITLE (1)
    EndChoice chosen = end_undecided;
    uint8_t held = 0;  // the menu keys down, between frames
    Click click = {};
    int8_t you = -1;  // the side this machine plays, which the card names YOU
};

// One frame of an online end card; `frame` counts from 0, when the card opens. This machine's player
// chooses with the menu keys (left, right, Z or Return) or a click; ESC chooses the title, also
// once REMATCH is chosen, when the card says that the other player is awaited. Returns the choice.
EndChoice online_end_frame(EndCard* card, int frame);

// The end of a match against the computer that was played out (lost, or all eight rounds won): its
// record is kept in the records file, and a card says the rounds won, the score, the longest chain
// and whether it made a record, until a key, a button or a click, or five seconds.
void sum_up_match();
