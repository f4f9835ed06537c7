#include "shell/assets.h"

#include <atomic>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

#include "board/player.h"
#include "present/character_data.h"
#include "shell/frame.h"
#include "shell/match.h"

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
FILE* ai_list;
Player* players[2];

namespace {

bool allegro_up;  // Allegro is up: its calls are safe from here on
std::atomic<bool> close_pressed{false};

void close_button_pressed() { close_pressed = true; }

// The folder the game loads its files from, for messages.
const char* working_folder() {
    static char path[1024];
    if (!getcwd(path, sizeof path)) return ".";
    return path;
}

SAMPLE* load_sound(const char* file) {
    SAMPLE* sound = load_sample(file);
    if (!sound) fail("cannot load sound \"%s\" from %s (missing or unreadable)", file, working_folder());
    return sound;
}

// Without a sound card the sound library reports its search at length; the game says one line
// instead and runs silent.
void install_sound_quietly() {
    std::fflush(stderr);
    const int saved_stderr = dup(STDERR_FILENO);
    const int null_device = open("/dev/null", O_WRONLY);
    if (saved_stderr >= 0 && null_device >= 0) dup2(null_device, STDERR_FILENO);
    const int result = install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr);
    if (saved_stderr >= 0) {
        dup2(saved_stderr, STDERR_FILENO);
        close(saved_stderr);
    }
    if (null_device >= 0) close(null_device);
    if (result != 0 || digi_card == DIGI_NONE) std::fprintf(stderr, "cupclash: no sound device found, playing silent\n");
}

// True when the file opens and begins with `magic` (a PCX picture or a RIFF wave).
bool starts_with(const char* file, const char* magic, std::size_t length) {
    FILE* in = std::fopen(file, "rb");
    if (!in) return false;
    char head[4] = {};
    const bool ok = std::fread(head, 1, length, in) == length && std::memcmp(head, magic, length) == 0;
    std::fclose(in);
    return ok;
}

BITMAP* make_bitmap(int w, int h) {
    BITMAP* b = create_bitmap(w, h);
    if (!b) fail("out of memory for a %d x %d picture", w, h);
    return b;
}

}  // namespace

int mask_colour() { return makecol(255, 0, 255); }

void timer_tick() { count_tick(); }

bool close_requested() { return close_pressed; }

bool escape_down() { return key[KEY_ESC] || close_pressed; }

void start_game() {
    if (allegro_init() != 0 || !system_driver)
        fail("cannot start Allegro: no display found (is DISPLAY set to a running X server?)");
    allegro_up = true;
    install_keyboard();
    install_joystick(JOY_TYPE_AUTODETECT);
    install_timer();
    install_mouse();
    set_color_depth(16);
    install_sound_quietly();
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 256, 384, 0, 0) != 0)
        fail("cannot open the 256 x 384 window: %s", allegro_error);
    set_window_title("cupclash");
    set_close_button_callback(close_button_pressed);
    srand(time(nullptr));
    load_shared_assets();
    check_later_files();
    install_int(timer_tick, 40);
    create_players();
    load_characters();
}

void load_shared_assets() {
    cups = load_picture("cups.pcx");
    pop = load_picture("pop.pcx");
    combotxt = load_picture("combotxt.pcx");
    roundtxt = load_picture("roundtxt.pcx");
    numbers = load_picture("numbers.pcx");
    bg = load_picture("bg.pcx");
    super = load_picture("super.pcx");
    winlose = load_picture("winlose.pcx");
    char_bg = load_picture("char_bg.pcx");
    break_sound = load_sound("break.wav");
    refill_sound = load_sound("refill.wav");

    top_panel = make_bitmap(screen_width, panel_height);
    bottom_panel = make_bitmap(screen_width, panel_height);
    character_canvas = make_bitmap(screen_width, panel_height);
    ai_scratch = make_bitmap(board_width, board_height);
    clear_to_color(ai_scratch, mask_colour());

    // A missing script leaves the computer pressing random keys; the game goes on.
    ai_list = fopen("AI_list.txt", "r");
}

void check_later_files() {
    for (const char* file : {title_picture, swirl_picture, buttons_picture, charsel_picture, portrait_pictures[0],
                             portrait_pictures[1], menu_picture, tutorial_picture})
        if (!starts_with(file, "\x0a", 1))
            fail("cannot load picture \"%s\" from %s (missing or unreadable)", file, working_folder());
    for (const char* file : music_table)
        if (!starts_with(file, "RIFF", 4))
            fail("cannot load sound \"%s\" from %s (missing or unreadable)", file, working_folder());
}

BITMAP* load_picture(const char* file) {
    BITMAP* picture = load_bitmap(file, nullptr);
    if (!picture) fail("cannot load picture \"%s\" from %s (missing or unreadable)", file, working_folder());
    return picture;
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
    if (ai_list) fclose(ai_list);
    ai_list = nullptr;
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
