#include "platform/assets.h"

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/guards.h"
#include "platform/music.h"
#include "platform/sound.h"

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
BITMAP* ai_scratch;

namespace {

constexpr int scratch_width = 96, scratch_height = 160;  // a board picture's size

std::atomic<bool> close_pressed{false};
bool escape_spent = false;  // the ESC held now ended the screen before
void (*release_on_failure)() = nullptr;

// Fails with one line when a WAV sound is missing, unreadable or damaged.
void check_sound(const char* file) {
    const std::string fault = sound_file_fault(file);
    if (!fault.empty()) fail("sound \"%s\" %s", file, fault.c_str());
}

SAMPLE* load_sound(const char* file) {
    check_sound(file);
    errno = 0;
    SAMPLE* sound = read_wav(file);
    if (!sound && errno == ENOMEM) fail("out of memory loading sound \"%s\"", file);
    if (!sound) fail("sound \"%s\" is damaged: it is not a sound the game can play", file);
    return sound;
}

// Fails with one line when a picture is missing, unreadable, damaged or of a size the game cannot cut.
void check_picture(const PictureFile& picture) {
    const std::string fault = picture_file_fault(picture.name, picture.width, picture.height);
    if (!fault.empty()) fail("picture \"%s\" %s", picture.name, fault.c_str());
}

constexpr size_t pcx_planes_at = 65;  // the header's count of colour planes

// A picture's rows on their way to 16-bit colour.
struct RowsIn16Bit {
    void (*row)(int, const uint16_t*, void*);
    void* to;
    int width;
    bool indexed;           // one plane of indices into `colours`, else red, green and blue planes
    uint16_t colours[256];  // the indexed picture's colour table, as the loader converts it
    std::vector<uint16_t> pixels;
};

void convert_row(int y, const uint8_t* values, int stride, void* to) {
    RowsIn16Bit* r = static_cast<RowsIn16Bit*>(to);
    uint16_t* pixels = r->pixels.data();
    if (r->indexed) {
        for (int x = 0; x < r->width; x++) pixels[x] = r->colours[values[x]];
    } else {
        // makecol16, its shifts read once
        const int rs = _rgb_r_shift_16, gs = _rgb_g_shift_16, bs = _rgb_b_shift_16;
        for (int x = 0; x < r->width; x++)
            pixels[x] = static_cast<uint16_t>((values[x] >> 3) << rs | (values[stride + x] >> 2) << gs | (values[2 * stride + x] >> 3) << bs);
    }
    r->row(y, pixels, r->to);
}

// One row of a picture into its 16-bit bitmap.
void put_row(int y, const uint16_t* pixels, void* to) {
    BITMAP* picture = static_cast<BITMAP*>(to);
    std::memcpy(picture->line[y], pixels, picture->w * sizeof *pixels);
}

}  // namespace

void picture_rows(const std::vector<uint8_t>& bytes, PcxPlace* place, int end, void (*row)(int, const uint16_t*, void*),
                  void* to) {
    int w, h;
    pcx_size(bytes, &w, &h);
    RowsIn16Bit r{row, to, w, bytes[pcx_planes_at] == 1, {}, std::vector<uint16_t>(w)};
    // The loader keeps the table in 6 bits a component and widens it again when it converts.
    if (r.indexed) {
        const uint8_t* table = pcx_palette(bytes);
        for (int k = 0; k < 256; k++)
            r.colours[k] = static_cast<uint16_t>(makecol16(_rgb_scale_6[table[3 * k] / 4], _rgb_scale_6[table[3 * k + 1] / 4],
                                                           _rgb_scale_6[table[3 * k + 2] / 4]));
    }
    pcx_rows(bytes, place, end, convert_row, &r);
}

BITMAP* make_bitmap(int w, int h) {
    BITMAP* b = create_bitmap(w, h);
    if (!b) fail("out of memory for a %d x %d picture", w, h);
    return b;
}

int mask_colour() { return makecol(255, 0, 255); }

void close_button_pressed() { close_pressed = true; }

bool close_requested() { return close_pressed || stop_signal() != 0; }

bool escape_down() {
    if (!key[KEY_ESC]) escape_spent = false;
    return (key[KEY_ESC] && !escape_spent) || close_requested();
}

void spend_escape() { escape_spent = key[KEY_ESC] != 0; }

BITMAP* load_picture(const PictureFile& picture) {
    PictureReading reading = open_picture(picture);
    read_picture_rows(&reading, reading.picture->h);
    return reading.picture;
}

PictureReading open_picture(const PictureFile& picture) {
    PictureReading reading = {nullptr, {}, {}};
    std::string fault = read_game_file(picture.name, &reading.bytes);
    if (fault.empty()) fault = pcx_fault(reading.bytes, picture.width, picture.height);
    if (!fault.empty()) fail("picture \"%s\" %s", picture.name, fault.c_str());
    int w, h;
    pcx_size(reading.bytes, &w, &h);
    reading.picture = make_bitmap(w, h);
    return reading;
}

void read_picture_rows(PictureReading* reading, int rows) {
    // Straight into 16-bit colour, row by row (the loader would hold a copy in the file's own colours
    // beside it: for a colour picture, half again the size); the file goes once the last row is in.
    if (reading->place.row >= rows || reading->bytes.empty()) return;
    picture_rows(reading->bytes, &reading->place, rows, put_row, reading->picture);
    if (reading->place.row == reading->picture->h) std::vector<uint8_t>().swap(reading->bytes);
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
    ai_scratch = make_bitmap(scratch_width, scratch_height);
    clear_to_color(ai_scratch, mask_colour());
}

void make_panels() {
    top_panel = make_bitmap(screen_width, panel_height);
    bottom_panel = make_bitmap(screen_width, panel_height);
}

void release_shared_assets() {
    for (BITMAP** b : {&cups, &pop, &top_panel, &bottom_panel, &bg, &numbers, &super,
                       &char_bg, &ai_scratch, &combotxt, &roundtxt, &winlose}) {
        destroy_bitmap(*b);
        *b = nullptr;
    }
    for (SAMPLE** s : {&break_sound, &refill_sound}) {
        destroy_sample(*s);
        *s = nullptr;
    }
}

void check_later_files() {
    for (const PictureFile& picture : {title_picture, swirl_picture, buttons_picture, modes_picture, charsel_picture,
                                       charsel_pair_picture, watch_charsel_picture, online_charsel_picture, portrait_pictures[0],
                                       portrait_pictures[1], menu_picture, tutorial_picture, records_picture,
                                       keys_picture})
        check_picture(picture);
    for (const char* file : music_table) check_sound(file);
}

void fail(const char* format, ...) {
    // A fault while releasing after a fault (memory runs out there too) ends the game at once: the
    // first line has been said.
    static bool failing = false;
    if (failing) std::_Exit(1);
    failing = true;
    std::fprintf(stderr, "cupclash: ");
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fprintf(stderr, "\n");
    if (release_on_failure) release_on_failure();
    std::exit(1);
}

void release_on_fail(void (*release)()) { release_on_failure = release; }
