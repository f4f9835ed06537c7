// The game's icon for the desktop's menus: the red mug and the teal glass of the title logo
// clinking, a gold spark where they meet, on a rounded plaque of dark café wood. From 32 pixels
// up the cups are the game's own 16 × 16 pictures enlarged by whole pixels, like on the title;
// at 16 pixels two cups of that size would not fit, so that size is laid by hand.

#include "pictures.hpp"

#include "palette.hpp"
#include "pixmap.hpp"
#include "screen_kit.hpp"

namespace assetgen {

namespace {

using namespace palette;

// The same two cups in 16 × 16: the mug left, its handle touching the tapered glass.
const Pixmap kSmallIcon = {
    "................",
    "................",
    ".......y........",
    "......yYy.......",
    ".......y.ttttttt",
    ".........tiiiiit",
    ".ooooooo.tHggnet",
    ".ockkkco.tHggnet",
    ".ohllmdoo.tHgnt.",
    ".ohllmdo.otHgnt.",
    ".ohllmdo.otHgnt.",
    ".ohllmdoo.tHgnt.",
    ".olllmdo..tbbbt.",
    "..odddo...tbbbt.",
    "...ooo.....ttt..",
    "................",
};

// The cups' own shades, and the few colours only this size needs (coffee, the glass's surface and base).
Legend small_icon_colours() {
    const CupShades mug = cup_shades(1), glass = cup_shades(2);
    return {{'o', mug.ink},     {'d', mug.dark},      {'m', mug.mid},           {'l', mug.light},
            {'h', mug.gleam},   {'t', glass.ink},     {'e', glass.dark},        {'n', glass.mid},
            {'g', glass.light}, {'H', glass.gleam},   {'c', Rgb(70, 36, 22)},   {'k', Rgb(168, 110, 64)},
            {'i', Rgb(190, 246, 236)}, {'b', Rgb(116, 196, 196)}, {'y', kGoldMid}, {'Y', kGoldGleam}};
}

// The spark over the cups, 7 × 7, enlarged with them.
const Pixmap kSpark = {
    "...y...",
    "...y...",
    "..yYy..",
    "yyYWYyy",
    "..yYy..",
    "...y...",
    "...y...",
};

const Legend kSparkColours = {{'y', kGoldMid}, {'Y', kGoldLight}, {'W', kGoldGleam}};

// The plaque: the café's back wall over the counter the cups stand on, both in dark wood, with a
// gleam along the plaque's top and the counter's edge. Lines are `scale` pixels thick, like the cups'.
void draw_plaque(Image& img, int scale, int counter_y) {
    const int n = img.width();
    Shape plaque(n, n);
    add_rounded_rect(plaque, scale, scale, n - 2 * scale, n - 2 * scale, n * 7 / 32);
    paint(img, plaque.dilated(scale).minus(plaque), kWoodInk);
    paint(img, plaque, [&](int, int y) {
        if (y < counter_y) return kWoodDark;
        return y < counter_y + scale ? kWoodLight : kWoodMid;
    });
    paint(img, plaque.minus(plaque.shifted(0, scale)), kWoodMid);
}

}  // namespace

Image make_icon(int size) {
    Image img(size, size);
    if (size < 32) {
        draw_pixmap(img, (size - 16) / 2, (size - 16) / 2, kSmallIcon, small_icon_colours());
        return img;
    }
    const int scale = size / 32;
    // The mug's last column touches the glass's first; the pair stands on the counter.
    const int mid = size / 2, top = size / 2 - 5 * scale;
    draw_plaque(img, scale, top + 12 * scale);
    img.draw(cup_picture(1).scaled_up(scale), mid - 15 * scale, top);
    img.draw(mirrored(cup_picture(2)).scaled_up(scale), mid - scale, top);
    Image spark(7, 7);
    draw_pixmap(spark, 0, 0, kSpark, kSparkColours);
    img.draw(spark.scaled_up(scale), mid - 4 * scale, top - 6 * scale);
    return img;
}

}  // namespace assetgen
