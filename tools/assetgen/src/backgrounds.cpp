// bg.pcx, 256 × 192: the top panel. A café window on a rainy night: the street's lights and
// rain beyond the glass, a wooden beam with string lights above, the counter below, and the
// two board wells set into it as dark tiled trays. Between the wells a small plaque holds the
// sockets of the super meter stars, above a neon sign.
// char_bg.pcx, 256 × 192: the bottom panel, the café's back wall and floor where the two
// rivals stand, with a calm dark band along the top for the scores and the balance bar.
//
// Both stay darker and greyer than the cups and the characters in front of them; nothing busy
// is drawn inside the board areas.

#include <algorithm>
#include <cmath>
#include <vector>

#include "layout.hpp"
#include "maths.hpp"
#include "palette.hpp"
#include "pictures.hpp"
#include "rng.hpp"
#include "shape.hpp"
#include "textfx.hpp"

namespace assetgen {

namespace {

using namespace palette;

// Flat horizontal bands, top to bottom, each meeting the next in a short dithered seam.
void fill_bands(Image& img, int x, int y, int w, int h, const std::vector<Rgb>& bands) {
    const int n = static_cast<int>(bands.size());
    for (int yy = 0; yy < h; ++yy) {
        const double pos = (yy + 0.5) * n / h - 0.5;
        const int lo = std::clamp(static_cast<int>(std::floor(pos)), 0, n - 1), hi = std::min(lo + 1, n - 1);
        const double frac = pos - std::floor(pos);
        const int level = std::clamp(static_cast<int>((frac - 0.7) * 3.4 * 16), 0, 16);
        for (int xx = 0; xx < w; ++xx)
            img.set(x + xx, y + yy, dither_keep(x + xx, y + yy, pos < 0 ? 0 : level) ? bands[hi] : bands[lo]);
    }
}

// Horizontal planks with a dark seam every plank_h rows and a few grain streaks.
void draw_planks(Image& img, int x, int y, int w, int h, int plank_h, Rgb seam, Rgb face, Rgb grain,
                 std::uint64_t seed) {
    Rng rng(seed);
    img.fill_rect(x, y, w, h, face);
    for (int py = y; py < y + h; py += plank_h) {
        img.fill_rect(x, py, w, 1, seam);
        for (int i = 0; i < w / 10; ++i) {
            const int gx = x + rng.between(0, w - 1), gy = py + rng.between(2, std::max(2, plank_h - 2));
            if (gy < y + h) img.fill_rect(gx, gy, rng.between(4, 14), 1, grain);
        }
    }
}

// Out-of-focus lights beyond the glass: flat discs with a slightly brighter rim.
void draw_bokeh(Image& img, Rng& rng, int count, int x0, int y0, int x1, int y1) {
    static const Rgb kLights[] = {Rgb(104, 70, 42), Rgb(126, 88, 50), Rgb(40, 64, 104),
                                  Rgb(96, 46, 82),  Rgb(34, 84, 92),  Rgb(64, 58, 112)};
    for (int i = 0; i < count; ++i) {
        Shape disc(img.width(), img.height());
        const Rgb c = kLights[rng.between(0, 5)];
        // One draw per statement: the order of a call's arguments is up to the compiler.
        const double cx = rng.range(x0, x1);
        const double cy = rng.range(y0, y1);
        const double r = rng.range(2.5, 6.5);
        add_circle(disc, cx, cy, r);
        paint(img, disc, c);
        paint(img, disc.inner_edge(), mix(c, Rgb(220, 220, 235), 0.18));
    }
}

// The far side of the street: dark blocks of houses with a few lit windows.
void draw_street(Image& img, Rng& rng, int horizon) {
    const Rgb block(12, 16, 30), roof(18, 24, 42), lit_warm(112, 84, 48), lit_cool(52, 76, 110);
    for (int x = -rng.between(0, 10); x < img.width();) {
        const int w = rng.between(14, 30), top = horizon - rng.between(10, 60);
        img.fill_rect(x, top, w, img.height() - top, block);
        img.fill_rect(x, top, w, 1, roof);
        for (int wy = top + 4; wy < img.height() - 4; wy += 7)
            for (int wx = x + 3; wx < x + w - 3; wx += 6)
                if (rng.between(0, 5) == 0) img.fill_rect(wx, wy, 2, 3, rng.between(0, 2) ? lit_warm : lit_cool);
        x += w;
    }
}

// A street lamp: a thin post and a warm lantern with a small halo.
void draw_street_lamp(Image& img, int x, int top, int bottom) {
    Shape halo(img.width(), img.height()), core(img.width(), img.height());
    add_circle(halo, x + 1.0, top + 2.0, 6.0);
    add_circle(core, x + 1.0, top + 2.0, 3.8);
    paint(img, halo, [&](int px, int py) { return mix(img.at(px, py), kLampCore, 0.16); });
    paint(img, core, [&](int px, int py) { return mix(img.at(px, py), kLampCore, 0.3); });
    img.fill_rect(x, top + 4, 2, bottom - top - 4, Rgb(8, 10, 18));
    img.fill_rect(x - 1, top, 4, 4, Rgb(8, 10, 18));
    img.fill_rect(x, top + 1, 2, 2, kLampCore);
}

// Rain: short streaks, mostly faint and far, a few nearer and brighter, falling slightly right.
void draw_rain(Image& img, Rng& rng, int count, Rgb colour, int min_len, int max_len) {
    for (int i = 0; i < count; ++i) {
        const int x = rng.between(0, img.width() - 1), y = rng.between(0, img.height() - 1);
        const int len = rng.between(min_len, max_len);
        for (int k = 0; k < len; ++k) img.set(x + k / 4, y + k, colour);
    }
}

// Drops that cling to the glass: a bright top-left pixel on a darker bead.
void draw_droplets(Image& img, Rng& rng, int count) {
    for (int i = 0; i < count; ++i) {
        const int x = rng.between(0, img.width() - 2), y = rng.between(0, img.height() - 3);
        img.set(x, y, kRainDrop);
        img.set(x + 1, y, kRainNear);
        img.set(x, y + 1, kRainNear);
        img.set(x + 1, y + 1, kRainFar);
    }
}

// A bevelled wooden rim of the given width around the rectangle (x, y, w, h).
void draw_rim(Image& img, int x, int y, int w, int h, int width) {
    for (int k = width; k >= 1; --k) {
        const int l = x - k, t = y - k, r = x + w - 1 + k, b = y + h - 1 + k;
        const bool outer = k == width, inner = k == 1;
        const Rgb lit = outer ? kWoodInk : inner ? kWoodInk : k == width - 1 ? kWoodGleam : kWoodLight;
        const Rgb shade = outer ? kWoodInk : inner ? kWoodInk : k == width - 1 ? kWoodMid : kWoodDark;
        img.fill_rect(l, t, r - l + 1, 1, lit);
        img.fill_rect(l, t, 1, b - t + 1, lit);
        img.fill_rect(l, b, r - l + 1, 1, shade);
        img.fill_rect(r, t, 1, b - t + 1, shade);
    }
}

// --- Top panel -----------------------------------------------------------------------------

void draw_night_window(Image& img) {
    fill_bands(img, 0, 0, img.width(), img.height(),
               {kNightDeep, kNight, kNight, kNightHaze, Rgb(38, 52, 84), Rgb(46, 56, 86)});
    Rng rng(0xB0CE);
    draw_bokeh(img, rng, 18, 0, 20, img.width(), 120);
    draw_street(img, rng, 150);
    draw_street_lamp(img, 6, 112, 178);
    draw_street_lamp(img, 248, 120, 178);
    draw_bokeh(img, rng, 16, 0, 110, img.width(), 180);
    draw_rain(img, rng, 420, kRainFar, 4, 8);
    draw_rain(img, rng, 90, kRainNear, 6, 11);
    draw_droplets(img, rng, 60);
}

// The beam across the top, with a string of small warm bulbs.
void draw_beam(Image& img) {
    draw_planks(img, 0, 0, img.width(), 9, 9, kWoodInk, kWoodMid, kWoodDark, 0xBEA4);
    img.fill_rect(0, 1, img.width(), 1, kWoodLight);
    img.fill_rect(0, 8, img.width(), 1, kWoodInk);
    img.fill_rect(0, 9, img.width(), 1, Rgb(10, 12, 22));
    for (int x = 6; x < img.width(); x += 12) {
        const int sag = static_cast<int>(std::lround(1.5 + 1.5 * std::sin((x % 48) / 48.0 * kPi)));
        const int y = 10 + sag;
        img.set(x, y - 1, kWoodInk);
        img.fill_rect(x - 1, y, 2, 2, (x / 12) % 3 == 1 ? Rgb(255, 196, 120) : kLampCore);
        img.set(x - 2, y + 1, kLampDim);
        img.set(x + 1, y + 2, kLampDim);
    }
}

// The counter top in front of the window, along the bottom edge.
void draw_counter(Image& img) {
    const int top = 178;
    img.fill_rect(0, top, img.width(), 1, kWoodInk);
    img.fill_rect(0, top + 1, img.width(), 1, kWoodGleam);
    draw_planks(img, 0, top + 2, img.width(), 6, 6, kWoodLight, kWoodMid, kWoodDark, 0xC0C0);
    img.fill_rect(0, top + 8, img.width(), 1, kWoodInk);
    fill_bands(img, 0, top + 9, img.width(), img.height() - top - 9, {kWoodDark, Rgb(44, 26, 20)});
}

void draw_board_wells(Image& img) {
    const Image tile = counter_tile();
    for (int side = 0; side < 2; ++side) {
        const int bx = layout::kBoardX[side];
        for (int y = 0; y < layout::kBoardH; y += 16)
            for (int x = 0; x < layout::kBoardW; x += 16) img.blit(tile, 0, 0, bx + x, layout::kBoardY + y, 16, 16);
        draw_rim(img, bx, layout::kBoardY, layout::kBoardW, layout::kBoardH, 4);
    }
}

// The plaque between the wells with four sockets for each player's super meter stars.
void draw_star_plaque(Image& img) {
    const int x = 116, y = 15, w = 24, h = 66;
    img.fill_rect(x, y, w, h, kWoodDark);
    draw_rim(img, x + 1, y + 1, w - 2, h - 2, 1);
    img.fill_rect(x + 2, y + 2, w - 4, 1, kWoodMid);
    for (int side = 0; side < 2; ++side)
        for (int i = 0; i < layout::kStars; ++i) {
            const double cx = layout::kStarX[side] + 4.0, cy = layout::kStarY0 + layout::kStarStep * i + 4.0;
            Shape socket(img.width(), img.height());
            add_circle(socket, cx, cy, 3.6);
            paint(img, socket, Rgb(40, 24, 18));
            Shape lip(img.width(), img.height());
            add_circle(lip, cx + 0.5, cy + 0.5, 3.6);
            paint(img, lip.minus(socket), kWoodMid);
        }
}

// A vertical neon sign, its tubes lit soft pink inside a dim glow.
void draw_neon_sign(Image& img, const Font& font) {
    const char* const letters[] = {"C", "A", "F", "É"};
    const Rgb tube(236, 168, 204), glow(86, 36, 74), bracket(26, 22, 34);
    img.fill_rect(127, 82, 2, 5, bracket);
    int y = 88;
    for (const char* letter : letters) {
        const TextInk ink = font.render(letter, 15);
        const int x = 128 - ink.shape.width() / 2;
        const int top = y + 14 - ink.shape.height();
        const Shape halo = ink.shape.dilated(2);
        for (int yy = 0; yy < halo.height(); ++yy)
            for (int xx = 0; xx < halo.width(); ++xx)
                if (halo.at(xx, yy) && dither_keep(x + xx, top + yy, 10)) img.set(x + xx, top + yy, glow);
        paint(img, ink.shape, tube, x, top);
        y += 19;
    }
}

// --- Bottom panel --------------------------------------------------------------------------

// The arched window in the back wall, with the rainy street beyond it.
void draw_back_window(Image& img, int x, int y, int w, int h) {
    Shape pane(img.width(), img.height()), box(img.width(), img.height());
    add_rect(pane, x, y + w / 2, w, h - w / 2);
    add_ellipse(pane, x + w / 2.0, y + w / 2.0, w / 2.0, w / 2.0);
    add_rect(box, x, y, w, h);
    pane = pane.intersected(box);
    Image street(img.width(), img.height());
    fill_bands(street, 0, 0, img.width(), img.height(), {kNightDeep, kNight, kNightHaze, Rgb(40, 52, 82)});
    Rng rng(0x5EE7);
    draw_street(street, rng, y + h - 10);
    draw_street_lamp(street, x + w / 4, y + h / 2 - 4, y + h);
    draw_rain(street, rng, 260, kRainFar, 4, 8);
    draw_rain(street, rng, 50, kRainNear, 6, 10);
    paint(img, pane, [&](int px, int py) { return street.at(px, py); });
    // Frame and glazing bars.
    Shape frame = pane.dilated(3).minus(pane);
    paint(img, frame, kWoodMid);
    paint(img, frame.inner_edge().intersected(pane.dilated(1)), kWoodDark);
    paint(img, pane.dilated(3).dilated(1).minus(pane.dilated(3)), kWoodInk);
    img.fill_rect(x + w / 2 - 1, y, 2, h, kWoodDark);
    img.fill_rect(x, y + h / 2 + 8, w, 2, kWoodDark);
    img.fill_rect(x - 4, y + h + 2, w + 8, 3, kWoodLight);
    img.fill_rect(x - 4, y + h + 5, w + 8, 1, kWoodInk);
}

// A wall lamp: a brass bracket and a shade, with its warm pool of light on the wall.
void draw_sconce(Image& img, int cx, int cy) {
    Shape pool(img.width(), img.height()), inner(img.width(), img.height());
    add_ellipse(pool, cx, cy + 2, 22, 26);
    add_ellipse(inner, cx, cy + 1, 12, 14);
    paint(img, pool, [&](int x, int y) { return mix(img.at(x, y), kLampGlow, 0.08); });
    paint(img, inner, [&](int x, int y) { return mix(img.at(x, y), kLampGlow, 0.09); });
    Shape shade(img.width(), img.height());
    add_polygon(shade, {{cx - 6.0, cy + 4.0}, {cx + 6.0, cy + 4.0}, {cx + 3.0, cy - 4.0}, {cx - 3.0, cy - 4.0}});
    paint(img, shade.dilated(1), kWoodInk);
    paint(img, shade, [&](int x, int) { return x < cx - 1 ? Rgb(220, 170, 96) : Rgb(176, 120, 60); });
    img.fill_rect(cx - 3, cy + 5, 6, 1, kLampCore);
    img.fill_rect(cx - 1, cy - 8, 2, 4, kWoodInk);
}

// A shelf with a row of cups and jars in silhouette.
void draw_shelf(Image& img, int x, int y, int w, std::uint64_t seed) {
    Rng rng(seed);
    const Rgb shapes[] = {Rgb(84, 48, 44), Rgb(60, 70, 76), Rgb(96, 74, 44)};
    for (int cx = x + 3; cx < x + w - 6; cx += rng.between(8, 11)) {
        const int kind = rng.between(0, 2), hgt = kind == 1 ? 10 : 7;
        const Rgb c = shapes[kind];
        img.fill_rect(cx, y - hgt, 6, hgt, c);
        img.fill_rect(cx, y - hgt, 1, hgt, mix(c, kLampCore, 0.2));
        if (kind == 0) img.fill_rect(cx + 6, y - 6, 2, 3, c);
        if (kind == 1) img.fill_rect(cx + 1, y - hgt - 2, 4, 2, mix(c, kWoodInk, 0.4));
    }
    img.fill_rect(x, y, w, 2, kWoodLight);
    img.fill_rect(x, y + 2, w, 1, kWoodInk);
    img.fill_rect(x + 2, y + 3, 2, 4, kWoodDark);
    img.fill_rect(x + w - 4, y + 3, 2, 4, kWoodDark);
}

// Warm checked floor tiles from the floor line down, darker toward the bottom.
void draw_floor(Image& img, int top) {
    const Rgb light(92, 62, 44), dark(58, 38, 30), lighter(104, 72, 50);
    img.fill_rect(0, top, img.width(), 1, kWoodInk);
    img.fill_rect(0, top + 1, img.width(), 1, kWoodDark);
    for (int y = top + 2; y < img.height(); ++y) {
        const int row = (y - top - 2) / 7, tile_w = 16 + row * 4;
        const int offset = (row % 2) * tile_w / 2;
        for (int x = 0; x < img.width(); ++x) {
            const bool checker = (((x + offset) / tile_w) + row) % 2 == 0;
            Rgb c = checker ? light : dark;
            if ((y - top - 2) % 7 == 0) c = mix(c, lighter, 0.4);
            img.set(x, y, mix(c, Rgb(30, 20, 22), std::min(0.5, (y - top) / 50.0)));
        }
    }
}

}  // namespace

Image make_top_background(const Context& ctx) {
    Image img(layout::kPanelW, layout::kPanelH);
    draw_night_window(img);
    draw_beam(img);
    draw_counter(img);
    draw_board_wells(img);
    draw_star_plaque(img);
    draw_neon_sign(img, ctx.font);
    return img;
}

Image make_bottom_background(const Context&) {
    Image img(layout::kPanelW, layout::kPanelH);
    // The wall: warm plaster above a wooden wainscot.
    fill_bands(img, 0, 0, img.width(), 120, {Rgb(58, 38, 36), Rgb(70, 46, 40), Rgb(76, 50, 42)});
    draw_planks(img, 0, 120, img.width(), layout::kFloorY - 120, 10, kWoodInk, kWoodDark, Rgb(54, 32, 24), 0xA11);
    img.fill_rect(0, 118, img.width(), 2, kWoodMid);
    img.fill_rect(0, 117, img.width(), 1, kWoodInk);
    draw_back_window(img, 92, 46, 72, 64);
    draw_sconce(img, 44, 62);
    draw_sconce(img, 212, 62);
    draw_shelf(img, 6, 96, 52, 0x5E1F);
    draw_shelf(img, 198, 96, 52, 0x5E2F);
    draw_floor(img, layout::kFloorY);
    // The calm band for the scores and the balance bar: a dark ceiling beam.
    img.fill_rect(0, 0, img.width(), layout::kHudBottom + 2, Rgb(32, 20, 18));
    img.fill_rect(0, layout::kHudBottom, img.width(), 1, kWoodDark);
    img.fill_rect(0, layout::kHudBottom + 1, img.width(), 1, kWoodMid);
    img.fill_rect(0, layout::kHudBottom + 2, img.width(), 1, kWoodInk);
    return img;
}

}  // namespace assetgen
