#include "game/watch_replay.h"

#include <allegro.h>

#include <cstdio>

#include "control/cpu.h"
#include "game/flow.h"
#include "game/replay.h"
#include "game/replay_files.h"
#include "game/startup.h"
#include "platform/assets.h"
#include "platform/guards.h"
#include "platform/music.h"
#include "platform/ticks.h"

namespace {

constexpr int speeds[3] = {1, 4, 16};  // frames per tick on keys 1, 2 and 3

struct Pace {
    int speed = 1;           // frames per tick
    int frames_in_tick = 0;  // frames played since the last tick
    bool paused = false;
    bool step = false;  // one frame is to be played while paused
};
Pace pace;

// The keys pressed since the last look; ESC ends the program as the window's close button does.
void read_keys() {
    while (keypressed()) {
        switch (readkey() >> 8) {
        case KEY_SPACE: pace.paused = !pace.paused; break;
        case KEY_RIGHT: pace.paused = pace.step = true; break;
        case KEY_1: pace.speed = speeds[0]; break;
        case KEY_2: pace.speed = speeds[1]; break;
        case KEY_3: pace.speed = speeds[2]; break;
        default: break;
        }
    }
    if (key[KEY_ESC]) close_button_pressed();
}

// A recorded match from its start, as the title starts one.
void play_recorded_match() {
    reset_match();
    play_match();
}

// Between two frames of the playback.
void pace_playback() {
    read_keys();                                               // 1. the keys
    while (pace.paused && !pace.step && !close_requested()) {  // 2. paused: ticks pass, frames do not
        wait_for_timer();
        read_keys();
    }
    pace.step = false;
    if (++pace.frames_in_tick < pace.speed) return;  // 3. fast: the next frame within this tick
    pace.frames_in_tick = 0;
    wait_for_timer();                                // 4. the tick
}

}  // namespace

int watch_replay(const std::string& file, int window_scale_asked) {
    Replay replay;
    const std::string unreadable = read_replay_file(file, &replay);  // 1. the file, before any window
    if (!unreadable.empty()) {
        std::fprintf(stderr, "cupclash: %s\n", unreadable.c_str());
        return 1;
    }
    start_game(window_scale_asked);  // 2. the game, its own files checked
    finish_start_up();
    const std::string other = check_replay_data(file, ai_script_file, replay);  // 3. made with these files
    if (!other.empty()) fail("%s", other.c_str());
    between_frames = pace_playback;  // 4. the matches, paced by the keys
    const PlaybackReport report = play_back(replay, play_recorded_match);
    between_frames = nullptr;
    release_music();
    if (report.drifted) fail("replay \"%s\" %s", file.c_str(), drift_text(report).c_str());  // 5. a drift
    while (!escape_down()) wait_for_timer();  // 6. the last frame stays until ESC
    shut_down_game();
    return stop_signal() ? 128 + stop_signal() : 0;
}
