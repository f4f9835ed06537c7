#include "shell/assets.h"

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <initializer_list>
#include <ctime>
#include <new>
#include <string>

#include "board/player.h"
#include "control/cpu.h"
#include "present/character_data.h"
#include "shell/files.h"
#include "shell/frame.h"
#include "shell/guards.h"
#include "shell/match.h"
#include "shell/window.h"

BITMAP* cups;
BITMAP* pop;
BITMAP* combotxt;
BITMAP* roundtxt;
BITMAP* numbers;
BITMAP* bg;
BITMAP* super;
BITMAP* winlose;
BITMAP* char_bg;
SAMPLE* break_sound;
SAMPLE* refill_sound;
BITMAP* top_panel;
BITMAP* bottom_panel;
BITMAP* character_canvas;
BITMAP* ai_scratch;
Player* players[2];

namespace {

bool allegro_up;  // Allegro is up: its calls are safe from here on
std::atomic<bool> close_pressed{false};

void close_button_pressed() { close_pressed = true; }

void out_of_memory() { fail("out of memory"); }

// Fails with one line when a WAV sound is missing, unreadable or damaged.
void check_sound(const char* file) {
    const std::string fault = sound_file_fault(file);
    if (!fault.empty()) fail("sound \"%s\" %s", file, fault.c_str());
}

SAMPLE* load_sound(const char* file) {
    check_sound(file);
    errno = 0;
    SAMPLE* sound = load_sample(file);
    if (!sound && errno == ENOMEM) fail("out of memory loading sound \"%s\"", file);
    if (!sound) fail("sound \"%s\" is damaged: it is not a sound the game can play", file);
    return sound;
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
    const char* file = "AI_list.txt";
    std::string fault = read_ai_script(file);
    if (fault.empty() && ai_list.empty()) fault = std::string(file) + ":1: the computer's script holds no records";
    if (!fault.empty()) fail("%s", fault.c_str());
}

// Fails with one line when a picture is missing, unreadable, damaged or of a size the game cannot cut.
void check_picture(const PictureFile& picture) {
    const std::string fault = picture_file_fault(picture.name, picture.width, picture.height);
    if (!fault.empty()) fail("picture \"%s\" %s", picture.name, fault.c_str());
}

BITMAP* make_bitmap(int w, int h) {
    BITMAP* b = create_bitmap(w, h);
    if (!b) fail("out of memory for a %d x %d picture", w, h);
    return b;
}

}  // namespace

int mask_colour() { return makecol(255, 0, 255); }

void timer_tick() { count_tick(); }

bool close_requested() { return close_pressed || stop_signal() != 0; }

bool escape_down() { return key[KEY_ESC] || close_requested(); }

BITMAP* load_picture(const PictureFile& picture) {
    check_picture(picture);
    errno = 0;
    BITMAP* loaded = load_bitmap(picture.name, nullptr);
    if (!loaded && errno == ENOMEM) fail("out of memory loading picture \"%s\"", picture.name);
    if (!loaded) fail("picture \"%s\" is damaged: it is not a picture the game can draw", picture.name);
    return loaded;
}

void start_game(int window_scale_asked) {
    open_standard_descriptors();
    std::set_new_handler(out_of_memory);
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
    if (install_keyboard() != 0) fail(errno == ENOMEM ? "out of memory starting the keyboard" : "cannot read the keyboard");
    install_joystick(JOY_TYPE_AUTODETECT);
    if (install_timer() != 0) fail(errno == ENOMEM ? "out of memory starting the timer" : "cannot start the timer");
    install_mouse();
    set_color_depth(16);
    const bool sound = install_sound_quietly();
    open_window(window_scale_asked);
    set_close_button_callback(close_button_pressed);
    srand(time(nullptr));
    load_shared_assets();
    check_later_files();
    if (install_int(timer_tick, 40) != 0) fail("out of memory starting the timer");
    create_players();
    check_characters();
    if (!sound) std::fprintf(stderr, "cupclash: no sound device found, playing silent\n");
}

void load_shared_assets() {
    cups = load_picture({"cups.pcx", 80, 64});
    pop = load_picture({"pop.pcx", 160, 160});
    combotxt = load_picture({"combotxt.pcx", 128, 512});
    roundtxt = load_picture({"roundtxt.pcx", 128, 576});
    numbers = load_picture({"numbers.pcx", 160, 16});
    bg = load_picture({"bg.pcx", screen_width, panel_height});
    super = load_picture({"super.pcx", 40, 32});
    winlose = load_picture({"winlose.pcx", 128, 96});
    char_bg = load_picture({"char_bg.pcx", screen_width, panel_height});
    break_sound = load_sound("break.wav");
    refill_sound = load_sound("refill.wav");

    top_panel = make_bitmap(screen_width, panel_height);
    bottom_panel = make_bitmap(screen_width, panel_height);
    character_canvas = make_bitmap(screen_width, panel_height);
    ai_scratch = make_bitmap(board_width, board_height);
    clear_to_color(ai_scratch, mask_colour());

    load_ai_script();
}

void check_later_files() {
    for (const PictureFile& picture : {title_picture, swirl_picture, buttons_picture, charsel_picture,
                                       portrait_pictures[0], portrait_pictures[1], menu_picture, tutorial_picture})
        check_picture(picture);
    for (const char* file : music_table) check_sound(file);
}

void create_players() {
    for (int index = 0; index < 2; index++) {
        Player* p = create_player(index);
        players[index] = p;
        p->board_bitmap = make_bitmap(board_width, board_height);
        p->refill_strip = make_bitmap(board_width, board_height);
        p->anim_canvas = make_bitmap(screen_width, panel_height);
        clear_to_color(p->refill_strip, mask_colour());
    }
    players[0]->opponent = players[1];
    players[1]->opponent = players[0];
}

void shut_down_game() {
    if (!allegro_up) return;
    remove_int(timer_tick);
    for (Player*& p : players) {
        destroy_player(p);
        p = nullptr;
    }
    for (BITMAP** b : {&cups, &pop, &top_panel, &bottom_panel, &bg, &numbers, &super, &character_canvas,
                       &char_bg, &ai_scratch, &combotxt, &roundtxt, &winlose}) {
        destroy_bitmap(*b);
        *b = nullptr;
    }
    for (SAMPLE** s : {&break_sound, &refill_sound}) {
        destroy_sample(*s);
        *s = nullptr;
    }
    release_music();
    release_window_pictures();
}

void fail(const char* format, ...) {
    std::fprintf(stderr, "cupclash: ");
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fprintf(stderr, "\n");
    shut_down_game();
    std::exit(1);
}
