#include "headless.h"

#include <cerrno>
#include <cstdlib>

#include "game/flow.h"
#include "game/frame.h"
#include "platform/assets.h"
#include "platform/music.h"
#include "platform/sound.h"
#include "platform/ticks.h"
#include "platform/window.h"
#include "present/character_data.h"
#include "present/character_files.h"
#include "state/match.h"

namespace {

int colour(Rgb c) { return makecol(c.r, c.g, c.b); }

// A sheet of w x h made of tiles of tw x th, each filled with the colour `tile` gives it.
BITMAP* tiled_sheet(int w, int h, int tw, int th, Rgb (*tile)(int, int)) {
    BITMAP* b = create_bitmap(w, h);
    for (int y = 0; y < h; y += th)
        for (int x = 0; x < w; x += tw) rectfill(b, x, y, x + tw - 1, y + th - 1, colour(tile(x, y)));
    return b;
}

BITMAP* fake_screen;

// The sound driver: it plays nothing and remembers what it is told, voice by voice. A sound that
// does not loop counts as ended at once, so its voice can be taken again.
constexpr int listened_voices = 16;
struct Voice {
    Heard heard;
    bool on;
} voices[listened_voices];
std::vector<Heard> started;

DIGI_DRIVER listener() {
    DIGI_DRIVER d = {};
    d.id = AL_ID('L', 'S', 'T', 'N');
    d.name = d.desc = d.ascii_name = "listener";
    d.voices = d.max_voices = d.def_voices = listened_voices;
    d.detect = [](int) { return 1; };
    d.init = [](int, int) { return 0; };
    d.exit = [](int) {};
    d.set_mixer_volume = [](int) { return 0; };
    d.get_mixer_volume = [] { return 255; };
    d.init_voice = [](int v, const SAMPLE* s) { voices[v] = {{s, 255, 128, false}, false}; };
    d.release_voice = [](int v) { voices[v] = {}; };
    d.start_voice = [](int v) {
        voices[v].on = true;
        started.push_back(voices[v].heard);
    };
    d.stop_voice = [](int v) { voices[v].on = false; };
    d.loop_voice = [](int v, int mode) { voices[v].heard.looped = (mode & PLAYMODE_LOOP) != 0; };
    d.get_position = [](int v) { return voices[v].on && voices[v].heard.looped ? listened_position : -1; };
    d.set_position = [](int, int) {};
    d.get_volume = [](int v) { return voices[v].heard.volume; };
    d.set_volume = [](int v, int volume) { voices[v].heard.volume = volume; };
    d.get_frequency = [](int) { return 22050; };
    d.set_frequency = [](int, int) {};
    d.get_pan = [](int v) { return voices[v].heard.pan; };
    d.set_pan = [](int v, int pan) { voices[v].heard.pan = pan; };
    return d;
}

// Sound needs a timer and mutexes, which the headless system has not: a timer that never fires
// (the tests tick by hand) and mutexes for one thread.
void install_listener() {
    static DIGI_DRIVER digi = listener();
    static TIMER_DRIVER timer = {AL_ID('S', 'T', 'I', 'L'), "still", "still", "still",
                                 [] { return 0; }, [] {}, [](void (*)(), long) { return 0; }, [](void (*)()) {},
                                 [](void (*)(void*), void*, long) { return 0; }, [](void (*)(void*), void*) {},
                                 nullptr, nullptr, nullptr};
    static _DRIVER_INFO digi_list[] = {{digi.id, &digi, TRUE}, {0, nullptr, 0}};
    static _DRIVER_INFO timer_list[] = {{timer.id, &timer, TRUE}, {0, nullptr, 0}};
    system_driver->create_mutex = [] {
        static int one_thread;
        return static_cast<void*>(&one_thread);
    };
    system_driver->destroy_mutex = [](void*) {};
    system_driver->lock_mutex = [](void*) {};
    system_driver->unlock_mutex = [](void*) {};
    system_driver->timer_drivers = [] { return timer_list; };
    system_driver->digi_drivers = [] { return digi_list; };
    if (install_sound(digi.id, MIDI_NONE, nullptr) != 0) std::abort();
}

}  // namespace

int listened_position = 0;

const std::vector<Heard>& sounds_started() { return started; }

Heard voice_of(const SAMPLE* sample) {
    for (const Voice& v : voices)
        if (v.on && v.heard.sample == sample) return v.heard;
    return {};
}

Rgb in_16_bit(int r, int g, int b) {
    const int c = makecol(r, g, b);
    return {getr(c), getg(c), getb(c)};
}

Rgb cups_tile(int sx, int sy) { return in_16_bit(8 * (4 + 4 * (sx / 16)), 4 * (8 + 8 * (sy / 16)), 200); }
Rgb pop_tile(int sx, int sy) { return in_16_bit(8 * (2 + 5 * (sx / 32)), 4 * (3 + 9 * (sy / 32)), 96); }
Rgb super_tile(int sx, int sy) { return in_16_bit(8 * (1 + 5 * (sx / 8)), 4 * (20 + 8 * (sy / 8)), 152); }
Rgb digit_tile(int d) { return in_16_bit(8 * (2 + 3 * d), 200, 32); }
Rgb combo_strip(int sy) { return in_16_bit(200, 4 * (2 + 6 * (sy / 64)), 16); }
Rgb round_strip(int sy) { return in_16_bit(104, 4 * (2 + 5 * (sy / 64)), 240); }
Rgb winlose_half(int sy) { return sy < 48 ? in_16_bit(248, 200, 0) : in_16_bit(0, 100, 248); }
Rgb bg_colour() { return in_16_bit(24, 24, 64); }
Rgb char_bg_colour() { return in_16_bit(64, 40, 16); }

Rgb figure_colour(int id, int frame) { return in_16_bit(8 * (id + 1), 8 * (frame % 30) + 4, 120); }

BITMAP* figure_sheet(int id, int width, int height) {
    BITMAP* b = create_bitmap(width, height);
    for (int y = 0; y < height; y += frame_height)
        rectfill(b, 0, y, width - 1, y + frame_height - 1, colour(figure_colour(id, y / frame_height)));
    return b;
}

Anim figure_anim(int id, int width, int height, int32_t next, int index) {
    BITMAP* sheet = figure_sheet(id, width, height);
    const Anim anim = anim_from_sheet(sheet, next, index);
    destroy_bitmap(sheet);
    return anim;
}

void give_character(Player* p) {
    release_character_data(p);
    for (int id = 0; id < min_anims; id++) p->anims[id] = figure_anim(id, 64, frame_height, anim_idle, p->index);
    // A diagonal pattern without matches, a different one per side.
    for (int c = 0; c < board_cols; c++)
        for (int r = 0; r < board_rows; r++) p->pattern[cell_at(c, r)] = (c + r + p->index) % cup_types + 1;
    p->loaded_character = p->character;
}

Rgb pixel(BITMAP* b, int x, int y) {
    const int c = getpixel(b, x, y);
    return {getr(c), getg(c), getb(c)};
}

void start_headless() {
    static bool started = false;
    if (started) return;
    started = true;
    install_allegro(SYSTEM_NONE, &errno, atexit);
    install_listener();
    set_color_depth(16);
    cups = tiled_sheet(80, 64, 16, 16, cups_tile);
    pop = tiled_sheet(160, 160, 32, 32, pop_tile);
    super = tiled_sheet(40, 32, 8, 8, super_tile);
    numbers = tiled_sheet(160, 16, 16, 16, [](int x, int) { return digit_tile(x / 16); });
    combotxt = tiled_sheet(128, 512, 128, 64, [](int, int y) { return combo_strip(y); });
    roundtxt = tiled_sheet(128, 576, 128, 64, [](int, int y) { return round_strip(y); });
    winlose = tiled_sheet(128, 96, 128, 48, [](int, int y) { return winlose_half(y); });
    bg = tiled_sheet(256, 192, 256, 192, [](int, int) { return bg_colour(); });
    char_bg = tiled_sheet(256, 192, 256, 192, [](int, int) { return char_bg_colour(); });
    break_sound = create_sample(16, 0, 22050, 64);
    refill_sound = create_sample(16, 0, 22050, 64);
    top_panel = create_bitmap(screen_width, panel_height);
    bottom_panel = create_bitmap(screen_width, panel_height);
    ai_scratch = create_bitmap(board_width, board_height);
    fake_screen = create_bitmap(screen_width, 2 * panel_height);
}

void reset_game_state() {
    destroy_players();
    create_players();
    for (Player* p : players) {
        clear_to_color(p->board_bitmap, mask_colour());
        p->character = static_cast<int8_t>(p->index);
        give_character(p);
    }

    // The values of a fresh run, then a new match as the title starts one.
    match = Match{};
    seed_random(&match.random, 1);
    set_game_mode(mode_vs_cpu);
    reset_match();
    between_frames = nullptr;
    tick_count = 0;
    sfx_volume = 128;
    music_volume = 128;
    release_music();
    listened_position = 0;
    stop_sample(break_sound);
    stop_sample(refill_sound);
    started.clear();
    for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
    spend_escape();
    clear_bitmap(top_panel);
    clear_bitmap(bottom_panel);
    clear_bitmap(fake_screen);
    screen = fake_screen;
    window_scale = 1;
}

void set_board(Player* p, const std::vector<std::string>& rows) {
    for (int r = 0; r < board_rows; r++) {
        for (int c = 0; c < board_cols; c++) {
            const char ch = rows.at(r).at(c);
            const int i = cell_at(c, r);
            p->group[i] = 0;
            p->junk[i] = ch >= 'a' && ch <= 'c';
            p->cells[i] = ch == '.' ? 0 : p->junk[i] ? ch - 'a' + 1 : ch - '0';
        }
    }
}

std::string board_text(const Player* p) {
    std::string text;
    for (int r = 0; r < board_rows; r++) {
        for (int c = 0; c < board_cols; c++) {
            const int i = cell_at(c, r);
            const int cup = p->cells[i];
            text += cup == 0 ? '.' : static_cast<char>(p->junk[i] ? 'a' + cup - 1 : '0' + cup);
        }
        text += '\n';
    }
    return text;
}

void set_pattern(Player* p, const std::vector<std::string>& rows) {
    for (int r = 0; r < board_rows; r++)
        for (int c = 0; c < board_cols; c++) p->pattern[cell_at(c, r)] = rows.at(r).at(c) - '0';
}
