// cupclash: a two-player versus puzzle game. The entry reads the command line, then runs the game
// from its folder.
#include <allegro.h>

#include "game/flow.h"
#include "game/online_screens.h"
#include "game/replay_files.h"
#include "game/startup.h"
#include "game/watch_replay.h"
#include "platform/command_line.h"
#include "platform/guards.h"

// Exit status: 0, 1 for a replay that cannot be played, 2 for a command line the game does not
// understand, or 128 + the signal when SIGTERM or SIGINT ended the game (after a clean shutdown).
int main(int argc, char** argv) {
    const CommandLine command = read_command_line(argc, argv);
    if (command.action != CommandLine::play) return answer_command_line(command);
    if (!command.replay_file.empty()) return watch_replay(command.replay_file, command.scale);
    keeping_replays = true;
    record_file = command.record_file;
    start_game(command.scale);
    if (command.online != CommandLine::offline) {
        finish_start_up();
        run_online_match(command.online == CommandLine::join ? command.join_host : "", command.port);
    }
    run_match_flow(command.two_players);
    shut_down_game();
    return stop_signal() ? 128 + stop_signal() : 0;
}
END_OF_MAIN()
