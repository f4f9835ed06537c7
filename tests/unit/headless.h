// The game without a display, for tests and benchmarks: Allegro in its headless mode, the shared
// sheets replaced by small synthetic ones in which every tile has a colour of its own (so a test can
// tell which tile was drawn where), fresh player records and `screen` pointed at a memory bitmap.
#pragma once

#include <allegro.h>
#include <cstdint>

#include <string>
#include <vector>

#include "state/player.h"

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// Brings up headless Allegro, a sound driver that only listens (below) and the synthetic assets once
// per process.
void start_headless();

// What the player hears: every sample the game started since reset_game_state, and the voices still
// held, as the sound driver was told them (volume 0..255, pan 0 left..255 right).
struct Heard {
    const SAMPLE* sample;
    int volume, pan;
    bool looped;
};
const std::vector<Heard>& sounds_started();
// Where every looping voice says it plays (0 at the start); a test moves it to make a stream ask for more.
extern int listened_position;
// The voice playing `sample` now; sample null when none does.
Heard voice_of(const SAMPLE* sample);

// Fresh players 0 and 1 (linked, with their bitmaps, left character 0 and right 1, each holding a
// synthetic character of one-frame animations, see give_character), every shared
// game value back to its start, the panels cleared, `screen` a 256 x 384 memory bitmap at window scale 1.
void reset_game_state();

// Fills a board from ten strings of six characters, row 0 first: '.' empty, '1'..'3' a cup,
// 'a'..'c' a junk cup of type 1..3. Markers are cleared.
void set_board(Player* p, const std::vector<std::string>& rows);
// The board as ten lines of six characters, in the same notation, each line ending in '\n'.
std::string board_text(const Player* p);
// Sets a pattern from ten strings of six digits.
void set_pattern(Player* p, const std::vector<std::string>& rows);

// Synthetic characters: frame f of animation `id` is a block of figure_colour(id, f) over the whole
// frame, `width` columns wide, so a test can tell which frame shows where.
Rgb figure_colour(int id, int frame);
BITMAP* figure_sheet(int id, int width, int height);
// The same sheet as side `index` (0 left, 1 right) keeps it: an animation followed by `next`.
Anim figure_anim(int id, int width, int height, int32_t next, int index);
// Replaces the player's character data by animations 0..9, each one 64-wide frame followed by 0, no
// samples, no cues and a diagonal pattern without matches (another per side), and marks it as the data of the character the player plays.
void give_character(Player* p);

// A colour as it reads back from a 16-bit bitmap.
Rgb in_16_bit(int r, int g, int b);
// The colour of a pixel, compared by its components (headless pixels pack differently).
Rgb pixel(BITMAP* b, int x, int y);

// The colour every pixel of a synthetic tile has: the tile whose top-left corner in the sheet is
// (sheet_x, sheet_y).
Rgb cups_tile(int sheet_x, int sheet_y);     // 16 x 16 tiles of `cups`
Rgb pop_tile(int sheet_x, int sheet_y);      // 32 x 32 tiles of `pop`
Rgb super_tile(int sheet_x, int sheet_y);    // 8 x 8 tiles of `super`
Rgb digit_tile(int digit);                   // 16 x 16 digits of `numbers`
Rgb combo_strip(int sheet_y);                // 128 x 64 strips of `combotxt`
Rgb round_strip(int sheet_y);                // 128 x 64 strips of `roundtxt`
Rgb winlose_half(int sheet_y);               // the two 128 x 48 banners of `winlose`
Rgb bg_colour();                             // the whole of `bg`
Rgb char_bg_colour();                        // the whole of `char_bg`
