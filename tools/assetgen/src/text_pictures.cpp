// The pictures made of words and digits, all rendered from the game's font:
// combotxt.pcx  128 × 512: the chain texts 1-7 and the super text, in strips of 128 × 64;
// roundtxt.pcx  128 × 576: the word "ROUND", then the digits 1-8, in strips of 128 × 64;
// numbers.pcx   160 × 16:  the score digits 0-9, 16 × 16 each;
// winlose.pcx   128 × 96:  the winner's banner above the loser's, 128 × 48 each.

#include <algorithm>
#include <string>
#include <vector>

#include "palette.hpp"
#include "pictures.hpp"
#include "shape.hpp"
#include "textfx.hpp"

namespace assetgen {

namespace {

constexpr int kStripW = 128;
constexpr int kStripH = 64;
constexpr int kChains = 7;

// A small four-pointed twinkle with a dark rim, used to add energy around the bigger chains.
void draw_twinkle(Image& sheet, int cx, int cy, int reach, Rgb core, Rgb ray, Rgb ink) {
    Shape rays(sheet.width(), sheet.height());
    for (int k = -reach; k <= reach; ++k) {
        rays.set(cx + k, cy);
        rays.set(cx, cy + k);
    }
    if (reach >= 3) add_rect(rays, cx - 1, cy - 1, 3, 3);
    paint(sheet, rays.dilated(1).minus(rays), ink);
    paint(sheet, rays, ray);
    sheet.set(cx, cy, core);
}

// --- Chain and super texts -----------------------------------------------------------------

struct ChainLook {
    const char* marks;  // exclamation marks after the word
    int digit_size;     // pixel size of the chain number
    Rgb gleam, light, mid, dark, ink;
    int twinkles;       // 0, 2 or 4 twinkles around the text
};

// The colours heat up with the chain: cream, gold, orange, red, crimson, violet, then a
// rainbow for the seventh.
const ChainLook kChainLooks[kChains] = {
    {"!", 0, Rgb(255, 252, 230), Rgb(255, 242, 190), Rgb(246, 214, 128), Rgb(206, 156, 74), Rgb(40, 24, 12), 0},
    {"!", 36, Rgb(255, 250, 210), Rgb(255, 232, 130), Rgb(248, 196, 56), Rgb(208, 136, 28), Rgb(42, 22, 8), 0},
    {"!", 38, Rgb(255, 240, 200), Rgb(255, 206, 130), Rgb(250, 154, 48), Rgb(212, 96, 22), Rgb(44, 18, 6), 0},
    {"!", 41, Rgb(255, 228, 210), Rgb(255, 180, 140), Rgb(244, 106, 60), Rgb(192, 50, 30), Rgb(46, 12, 8), 2},
    {"!", 44, Rgb(255, 222, 232), Rgb(255, 168, 192), Rgb(240, 76, 118), Rgb(176, 28, 68), Rgb(44, 8, 24), 2},
    {"!!", 47, Rgb(242, 226, 255), Rgb(224, 184, 255), Rgb(174, 110, 250), Rgb(108, 58, 200), Rgb(26, 12, 52), 4},
    {"!!", 50, Rgb(255, 255, 240), Rgb(255, 236, 120), Rgb(255, 150, 70), Rgb(120, 110, 255), Rgb(20, 12, 44), 4},
};

constexpr double kWordWidth = 0.86;  // the word is set a little narrow to leave room for the number
constexpr int kWordTracking = 1;
constexpr int kLineWidth = kStripW - 6;

TextLook chain_look(int chain) {
    const ChainLook& c = kChainLooks[chain - 1];
    TextLook look = look_of(c.gleam, c.light, c.mid, c.dark, c.ink);
    if (chain == kChains) look.bands = {Rgb(255, 240, 130), Rgb(255, 196, 80), Rgb(255, 140, 80), Rgb(250, 90, 140),
                                        Rgb(180, 110, 255), Rgb(100, 170, 255)};
    return look;
}

// The number, big, then the word on the same baseline.
StyledText chain_line(const Font& font, int chain, int word_size) {
    const ChainLook& c = kChainLooks[chain - 1];
    const TextLook look = chain_look(chain);
    const std::string word = std::string("CHAIN") + c.marks;
    const StyledText text = stylise(font.render(word, word_size, kWordWidth, kWordTracking), look);
    if (c.digit_size == 0) return text;
    return join_on_baseline({stylise(font.render(std::to_string(chain), c.digit_size), look), text}, 1);
}

// One size for the word in every strip: the largest at which the widest line still fits, so
// that only the number and the colours grow with the chain.
int chain_word_size(const Font& font) {
    for (int size = 26; size > 10; --size) {
        bool fits = true;
        for (int chain = 2; chain <= kChains && fits; ++chain)
            fits = chain_line(font, chain, size).image.width() <= kLineWidth;
        if (fits) return size;
    }
    return 10;
}

void draw_twinkles(Image& sheet, int y0, const Image& text, int count, Rgb core, Rgb ray, Rgb ink) {
    const int left = (kStripW - text.width()) / 2, top = y0 + (kStripH - text.height()) / 2;
    const int right = left + text.width(), bottom = top + text.height();
    struct Spot {
        int x, y, reach;
    };
    const Spot spots[4] = {{right - 6, top - 1, 3}, {left + 4, bottom - 2, 3}, {left + 14, top - 2, 2},
                           {right - 16, bottom, 2}};
    for (int i = 0; i < count; ++i) {
        const int x = std::clamp(spots[i].x, 4, kStripW - 5);
        const int y = std::clamp(spots[i].y, y0 + 4, y0 + kStripH - 5);
        draw_twinkle(sheet, x, y, spots[i].reach, core, ray, ink);
    }
}

StyledText super_text(const Font& font) {
    TextLook look = look_of(palette::kWhite, Rgb(255, 246, 190), Rgb(255, 214, 80), Rgb(234, 140, 30),
                            Rgb(46, 20, 6));
    look.bands = {Rgb(255, 250, 214), Rgb(255, 232, 130), Rgb(255, 204, 70), Rgb(250, 170, 40), Rgb(226, 120, 24),
                  Rgb(190, 80, 20)};
    const int size = font.fitting_size("SUPER!", 40, kStripW - 8, 0.9, 1);
    return stylise(font.render("SUPER!", size, 0.9, 1), look);
}

}  // namespace

Image make_combo_text(const Context& ctx) {
    Image sheet(kStripW, kStripH * 8);
    const int word_size = chain_word_size(ctx.font);
    for (int chain = 1; chain <= kChains; ++chain) {
        const ChainLook& c = kChainLooks[chain - 1];
        const StyledText text = chain_line(ctx.font, chain, word_size);
        const int y0 = (chain - 1) * kStripH;
        place_centred(sheet, text.image, 0, y0, kStripW, kStripH);
        draw_twinkles(sheet, y0, text.image, c.twinkles, palette::kWhite, c.light, c.ink);
    }
    const StyledText super = super_text(ctx.font);
    place_centred(sheet, super.image, 0, 7 * kStripH, kStripW, kStripH);
    draw_twinkles(sheet, 7 * kStripH, super.image, 4, palette::kWhite, palette::kGoldLight, palette::kGoldInk);
    return sheet;
}

// --- Round intro ---------------------------------------------------------------------------

Image make_round_text(const Context& ctx) {
    const TextLook look = look_of(Rgb(255, 250, 232), Rgb(255, 236, 196), Rgb(246, 206, 140), Rgb(206, 150, 84),
                                  Rgb(36, 20, 14));
    const TextLook digits = look_of(palette::kGoldGleam, palette::kGoldLight, palette::kGoldMid, palette::kGoldDark,
                                    palette::kGoldInk);
    Image sheet(kStripW, kStripH * 9);
    const int word_size = ctx.font.fitting_size("ROUND", 40, kStripW - 10, 1.0, 2);
    place_centred(sheet, stylise(ctx.font.render("ROUND", word_size, 1.0, 2), look).image, 0, 0, kStripW, kStripH);
    for (int k = 1; k <= 8; ++k)
        place_centred(sheet, stylise(ctx.font.render(std::to_string(k), 62), digits).image, 0, k * kStripH, kStripW,
                      kStripH);
    return sheet;
}

// --- Score digits --------------------------------------------------------------------------

Image make_numbers(const Context& ctx) {
    TextLook look = look_of(Rgb(255, 252, 236), Rgb(255, 240, 204), Rgb(246, 214, 150), Rgb(214, 164, 92),
                            Rgb(26, 16, 14), 1);
    look.bands = {Rgb(255, 244, 214), Rgb(250, 226, 170), Rgb(236, 194, 120)};
    Image sheet(160, 16);
    for (int d = 0; d <= 9; ++d) {
        const StyledText digit = stylise(ctx.font.render(std::to_string(d), 17), look);
        // Every digit stands on the same baseline, centred in its 16-pixel cell.
        sheet.draw(digit.image, 16 * d + (16 - digit.image.width()) / 2 + 1, 16 - digit.image.height());
    }
    return sheet;
}

// --- Result banners ------------------------------------------------------------------------

struct BannerLook {
    Rgb ink, dark, mid, light, gleam;  // the ribbon
    TextLook text;
};

// A ribbon 128 × 48: a plaque across the middle with folded tails behind its ends.
Image banner(const Font& font, const char* words, const BannerLook& b) {
    Image out(kStripW, 48);
    Shape tails(kStripW, 48), plaque(kStripW, 48);
    add_polygon(tails, {{0, 14}, {22, 14}, {22, 44}, {0, 44}, {7, 29}});
    add_polygon(tails, {{128, 14}, {106, 14}, {106, 44}, {128, 44}, {121, 29}});
    add_rect(plaque, 10, 5, 108, 34);
    paint(out, tails, b.dark);
    paint(out, tails.inner_edge(), b.ink);
    // The fold where a tail tucks under the plaque.
    Shape folds(kStripW, 48);
    add_polygon(folds, {{10, 39}, {22, 39}, {22, 44}});
    add_polygon(folds, {{118, 39}, {106, 39}, {106, 44}});
    paint(out, folds, b.ink);
    paint(out, plaque, [&](int, int y) { return y < 12 ? b.light : y < 32 ? b.mid : b.dark; });
    Shape trim(kStripW, 48);
    add_rect(trim, 13, 8, 102, 28);
    paint(out, trim.inner_edge(), b.gleam);
    paint(out, plaque.inner_edge(), b.ink);

    const int size = font.fitting_size(words, 30, 92, 0.95, 2);
    const StyledText text = stylise(font.render(words, size, 0.95, 2), b.text);
    out.draw(text.image, (kStripW - text.image.width()) / 2 + 1, 5 + (34 - text.image.height()) / 2 + 1);
    return out;
}

Image make_win_lose(const Context& ctx) {
    using namespace palette;
    const BannerLook win{kGoldInk, Rgb(150, 84, 20), kGoldMid, kGoldLight, kGoldGleam,
                         look_of(kWhite, Rgb(255, 252, 236), Rgb(255, 240, 200), Rgb(250, 214, 150), Rgb(70, 30, 6))};
    const BannerLook lose{kColdInk, Rgb(30, 50, 96), kColdDark, kColdMid, kColdLight,
                          look_of(kColdGleam, Rgb(220, 232, 250), Rgb(176, 196, 230), Rgb(130, 150, 196), kColdInk)};
    Image sheet(kStripW, 96);
    sheet.draw(banner(ctx.font, "WIN!", win), 0, 0);
    sheet.draw(banner(ctx.font, "LOSE", lose), 0, 48);
    return sheet;
}

}  // namespace assetgen
