// The screens of a match between two machines: choosing one's character, waiting for the other
// player (with the address to give them), the match itself with "YOU" over one's own board and the
// link's figures on demand (F), each player's own end card with its rematch, and one line when it
// ended early. ESC gives up waiting. Joining from the title, the address is typed on a screen of its own.
#pragma once

#include <cstdint>
#include <string>

// Hosts (empty `join_host`) or joins a match on `port`, and its rematches, then returns for the
// title. Each match's replay is kept like any other; a match or an end card that the other side
// ends says why in one line on the screen and on standard error.
void run_online_match(const std::string& join_host, uint16_t port);

// From the title: hosting on the default port, or joining at an address the player types first
// (digits, letters, dots, colons, brackets; backspace; RETURN joins, ESC goes back).
void run_online_from_title(bool joining);
