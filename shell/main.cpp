// cupclash: a two-player versus puzzle game. The entry only runs the game from its folder.
#include <allegro.h>

#include "shell/assets.h"
#include "shell/guards.h"
#include "shell/match.h"

// Exit status: 0, or 128 + the signal when SIGTERM or SIGINT ended the game (after a clean shutdown).
int main() {
    start_game();
    run_match_flow();
    shut_down_game();
    return stop_signal() ? 128 + stop_signal() : 0;
}
END_OF_MAIN()
