// cupclash: a two-player versus puzzle game. The entry only runs the game from its folder.
#include <allegro.h>

#include "shell/assets.h"
#include "shell/match.h"

int main() {
    start_game();
    run_match_flow();
    shut_down_game();
    return 0;
}
END_OF_MAIN()
