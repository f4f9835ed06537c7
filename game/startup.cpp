#include "game/startup.h"

#include <allegro.h>
#include <malloc.h>
#include <sys/mman.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <string>

#include "control/cpu.h"
#include "game/replay.h"
#include "platform/assets.h"
#include "platform/guards.h"
#include "platform/music.h"
#include "platform/settings.h"
#include "platform/ticks.h"
#include "platform/window.h"
#include "present/character_data.h"
#include "state/match.h"

namespace {

bool allegro_up;  // Allegro is up: its calls are safe from here on
bool silent;      // no sound device was found

// Blocks from this size on are mapped on their own, so that a picture or a sheet, once freed, leaves
// no hole in the heap that keeps its memory resident (glibc would otherwise raise this threshold
// to the size of the largest block freed, 3 MiB for the title's swirl).
constexpr int large_block = 64 * 1024;

// Allegro's keyboard reads the desktop's key map and its input method's Compose table through Xlib,
// which aborts or hands Allegro a null key map when memory runs out halfway, with no line said: the
// keyboard starts only with this much address space to spare.
constexpr size_t keyboard_room = 1024 * 1024;

void out_of_memory() { fail("out of memory"); }

// The address space has `bytes` to spare: they are mapped, never touched, and given back.
bool room_for(size_t bytes) {
    void* room = mmap(nullptr, bytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (room == MAP_FAILED) return false;
    munmap(room, bytes);
    return true;
}

// Without a sound card the sound library reports its search at length; the game runs silent and
// says so in one line once it is up.
bool install_sound_quietly() {
    hush_sound_library(true);
    const int result = install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr);
    hush_sound_library(false);
    return result == 0 && digi_card != DIGI_NONE;
}

// The computer's script, checked whole: a fault in any record stops the game at start-up.
void load_ai_script() {
    const char* file = ai_script_file;
    std::string fault = read_ai_script(file);
    if (fault.empty() && ai_list.empty()) fault = std::string(file) + ":1: the computer's script holds no records";
    if (!fault.empty()) fail("%s", fault.c_str());
}

}  // namespace

void start_game(int scale_asked) {
    open_standard_descriptors();
    std::set_new_handler(out_of_memory);
    mallopt(M_MMAP_THRESHOLD, large_block);  // pictures freed go back to the system at once
    release_on_fail(shut_down_game);
    hold_stop_signals();
    errno = 0;
    if (allegro_init() != 0 || !system_driver) {
        if (errno == ENOMEM) fail("out of memory starting Allegro");
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display) fail("no display: DISPLAY is not set, and the game needs an X server");
        fail("cannot reach the display \"%s\" (is an X server running there?)", display);
    }
    allegro_up = true;
    catch_stop_signals();
    watch_display();
    // Without the keyboard or the timer the game could not be played or even paced: the timer's
    // thread is what fails first when memory runs short.
    if (!room_for(keyboard_room)) fail("out of memory starting the keyboard");
    if (install_keyboard() != 0) fail(errno == ENOMEM ? "out of memory starting the keyboard" : "cannot read the keyboard");
    install_joystick(JOY_TYPE_AUTODETECT);
    if (install_timer() != 0) fail(errno == ENOMEM ? "out of memory starting the timer" : "cannot start the timer");
    install_mouse();
    set_color_depth(16);
    silent = !install_sound_quietly();
    load_settings();
    window_scale_asked = scale_asked > 0 ? scale_asked : settings.scale;
    open_window(window_scale_asked, settings.fullscreen);
    set_close_button_callback(close_button_pressed);
    run_seed = static_cast<uint32_t>(std::time(nullptr));
    seed_random(&match.random, run_seed);
    make_panels();
    load_ai_script();
    if (install_int(timer_tick, 40) != 0) fail("out of memory starting the timer");
    create_players();
}

void finish_start_up() {
    static bool done = false;
    if (done) return;
    done = true;
    load_shared_assets();
    check_later_files();
    check_characters();
    // Said once the checks have passed, so that a fault is the one line the game writes.
    if (silent) std::fprintf(stderr, "cupclash: no sound device found, playing silent\n");
}

void shut_down_game() {
    if (!allegro_up) return;
    remove_int(timer_tick);
    destroy_players();
    release_shared_assets();
    release_music();
    release_window_pictures();
}
