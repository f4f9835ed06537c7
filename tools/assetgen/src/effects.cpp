// pop.pcx: 160 × 160, pictures of 32 × 32 centred on a cell. Rows 0-2: a cup of type 1-3
// bursting into steam and shards of its own colour over five frames; row 3 unused; row 4: the
// cold flash over cups converted by an attack.
// super.pcx: 40 × 32, stars of 8 × 8. Column = brilliance 0-4 (the super meter's level on the
// badge, or the rank of a star in the meter), row = twinkle frame 0-3.

#include <cmath>
#include <vector>

#include "maths.hpp"
#include "palette.hpp"
#include "pictures.hpp"
#include "pixmap.hpp"
#include "rng.hpp"

namespace assetgen {

namespace {

constexpr int kPopSize = 32;
constexpr int kPopFrames = 5;
constexpr double kCentre = 16.0;  // the cell's centre inside a pop picture

// Steam: warm white puffs with a soft lilac-grey shade and rim.
constexpr Rgb kSteamRim{128, 118, 138};
constexpr Rgb kSteamShade{200, 194, 206};
constexpr Rgb kSteam{244, 240, 232};

// The attack flash: cold white and violet.
constexpr Rgb kFlashDeep{96, 60, 200};
constexpr Rgb kFlashViolet{152, 118, 246};
constexpr Rgb kFlashLilac{206, 188, 255};
constexpr Rgb kFlashWhite{246, 244, 255};

struct Shard {
    double angle;   // direction of flight
    double spin;    // rotation per frame
    double size;    // half-length at the first frame
    double speed;   // distance factor
    int shade;      // 0 dark, 1 mid, 2 light
};

std::vector<Shard> scatter_shards(int type) {
    Rng rng(0x5EED0000u + static_cast<unsigned>(type));
    std::vector<Shard> shards;
    const int count = 9;
    for (int i = 0; i < count; ++i)
        shards.push_back({2 * kPi * (i + rng.range(-0.3, 0.3)) / count, rng.range(-0.9, 0.9), rng.range(2.6, 3.8),
                          rng.range(0.8, 1.15), i % 3});
    return shards;
}

// A shard is a small irregular triangle, turned by its spin.
void add_shard(Shape& s, double cx, double cy, double size, double turn) {
    const double a[3] = {0.0, 2.3, 4.0};
    const double r[3] = {1.0, 0.75, 0.9};
    std::vector<Point> corners;
    for (int k = 0; k < 3; ++k)
        corners.push_back({cx + std::cos(turn + a[k]) * size * r[k], cy + std::sin(turn + a[k]) * size * r[k]});
    add_polygon(s, corners);
}

// Steam puffs rise and swell over frames 1-3, their lit cores thinning out on frame 3; on
// frame 4 only a few small wisps are left.
void draw_steam(Image& frame, int f) {
    struct Puff {
        double dx, dy, r;
    };
    static const Puff kPuffs[] = {{-4.0, 1.0, 3.2}, {3.5, 0.0, 3.6}, {0.0, -3.0, 4.0}, {-1.5, 4.0, 2.6}};
    if (f == 0) return;
    const double grow = 0.55 + 0.3 * f, rise = 2.2 * (f - 1) + 0.5 * (f - 1) * (f - 1);
    Shape puffs(kPopSize, kPopSize), lit(kPopSize, kPopSize);
    for (const Puff& p : kPuffs) {
        const double cx = kCentre + p.dx * (0.8 + 0.35 * f), cy = kCentre + p.dy - rise;
        const double r = f == 4 ? 1.6 : p.r * grow;
        add_circle(puffs, cx, cy, r);
        if (f < 4) add_circle(lit, cx - r * 0.3, cy - r * 0.3, r * 0.72);
    }
    const Shape rim = puffs.dilated(1).minus(puffs);
    for (int y = 0; y < kPopSize; ++y)
        for (int x = 0; x < kPopSize; ++x) {
            if (rim.at(x, y) && f <= 2) frame.set(x, y, kSteamRim);
            else if (lit.at(x, y) && (f < 3 || dither_keep(x, y, 8))) frame.set(x, y, kSteam);
            else if (puffs.at(x, y) && (f != 3 || dither_keep(x + 1, y, 8))) frame.set(x, y, kSteamShade);
        }
}

Image pop_frame(int type, int f) {
    const CupShades cup = cup_shades(type);
    Image frame(kPopSize, kPopSize);
    if (f == 0) {
        // The impact: the cup itself blazes white-hot, with four sparks around it.
        const Image still = cup_picture(type);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const Rgb c = still.at(x, y);
                if (c == kMask) continue;
                frame.set(8 + x, 8 + y, c == cup.ink ? cup.dark : mix(c, palette::kWhite, 0.4));
            }
        add_outline(frame, cup.ink);
        for (int k = 0; k < 4; ++k) {
            const double a = kPi / 4 + k * kPi / 2;
            const int sx = static_cast<int>(std::lround(kCentre + std::cos(a) * 11.5 - 0.5));
            const int sy = static_cast<int>(std::lround(kCentre + std::sin(a) * 11.5 - 0.5));
            frame.set(sx, sy, palette::kWhite);
            frame.set(sx - 1, sy, cup.gleam);
            frame.set(sx + 1, sy, cup.gleam);
            frame.set(sx, sy - 1, cup.gleam);
            frame.set(sx, sy + 1, cup.gleam);
        }
        return frame;
    }

    // Shards fly out, turn, shrink and fall a little.
    Image shards(kPopSize, kPopSize);
    const double distance[kPopFrames] = {0, 6.5, 10.5, 13.0, 14.5};
    const double shrink[kPopFrames] = {1, 1.0, 0.85, 0.65, 0.4};
    for (const Shard& s : scatter_shards(type)) {
        const double d = distance[f] * s.speed;
        const double cx = kCentre + std::cos(s.angle) * d, cy = kCentre + std::sin(s.angle) * d + 0.35 * f * f;
        Shape piece(kPopSize, kPopSize);
        if (f < 4) add_shard(piece, cx, cy, s.size * shrink[f], s.angle + s.spin * f);
        else add_rect(piece, static_cast<int>(std::floor(cx)), static_cast<int>(std::floor(cy)), 1, 1);
        const Rgb fill = s.shade == 0 ? cup.dark : s.shade == 1 ? cup.mid : cup.light;
        paint(shards, piece, fill);
        paint(shards, piece.minus(piece.shifted(1, 1)), f < 4 ? cup.gleam : fill);  // lit top-left rim
    }
    if (f < 4) add_outline(shards, cup.ink);
    draw_steam(frame, f);
    frame.draw(shards, 0, 0);
    return frame;
}

// A four-pointed star: thin rays along the axes, of half-length reach and half-width waist.
void add_sparkle(Shape& s, double cx, double cy, double reach, double waist, double turn = 0) {
    std::vector<Point> corners;
    for (int k = 0; k < 8; ++k) {
        const double a = turn + k * kPi / 4, r = k % 2 == 0 ? reach : waist;
        corners.push_back({cx + std::cos(a) * r, cy + std::sin(a) * r});
    }
    add_polygon(s, corners);
}

// The flash: a white core with violet rays along the axes (and shorter diagonal ones), and a
// thin ring that sweeps outward and breaks up. Neighbouring flashes along a converted row
// join into one crackling band.
Image flash_frame(int f) {
    struct Step {
        double reach, diagonal, core, ring, ring_width;
        int ray_density, ring_density;
    };
    static const Step kSteps[kPopFrames] = {
        {8, 0, 3.0, 0, 0, 16, 0},     {14, 7, 4.5, 8.5, 1.2, 16, 16}, {15.5, 10, 3.5, 12, 1.6, 16, 16},
        {15, 8, 2.0, 14.5, 1.2, 8, 16}, {0, 0, 0, 15.5, 1.2, 0, 6},
    };
    const Step& st = kSteps[f];
    Shape rays(kPopSize, kPopSize), inner(kPopSize, kPopSize), core(kPopSize, kPopSize), ring(kPopSize, kPopSize);
    if (st.reach > 0) {
        add_sparkle(rays, kCentre, kCentre, st.reach, 2.2);
        add_sparkle(inner, kCentre, kCentre, st.reach * 0.7, 1.2);
    }
    if (st.diagonal > 0) {
        add_sparkle(rays, kCentre, kCentre, st.diagonal, 1.8, kPi / 4);
        add_sparkle(inner, kCentre, kCentre, st.diagonal * 0.6, 1.0, kPi / 4);
    }
    if (st.core > 0) add_circle(core, kCentre, kCentre, st.core);
    if (st.ring > 0) {
        add_circle(ring, kCentre, kCentre, st.ring);
        Shape hole(kPopSize, kPopSize);
        add_circle(hole, kCentre, kCentre, st.ring - st.ring_width);
        ring = ring.minus(hole);
    }

    Image frame(kPopSize, kPopSize);
    if (f >= 1 && f <= 2) {
        const Shape burst = rays.united(core);
        paint(frame, burst.dilated(1).minus(burst), kFlashDeep);
    }
    for (int y = 0; y < kPopSize; ++y)
        for (int x = 0; x < kPopSize; ++x) {
            const bool ray_on = dither_keep(x, y, st.ray_density), ring_on = dither_keep(x, y, st.ring_density);
            if (core.at(x, y) && ray_on) frame.set(x, y, kFlashWhite);
            else if (inner.at(x, y) && ray_on) frame.set(x, y, f >= 3 ? kFlashLilac : kFlashWhite);
            else if (rays.at(x, y) && ray_on) frame.set(x, y, kFlashViolet);
            else if (ring.at(x, y) && ring_on) frame.set(x, y, f >= 3 ? kFlashLilac : kFlashViolet);
        }
    return frame;
}

// --- Stars ---------------------------------------------------------------------------------

// o = outline, d/m/l = dark, mid, light shade, w = white-hot core.
const Pixmap kSparkStar = {
    "...o....", "..olo...", ".oolmo..", "ollwmmo.", ".oommo..", "..omo...", "...o....", "........",
};
const Pixmap kFiveStar = {
    "...oo...", "..olmo..", ".oolmoo.", "ollwwmmo", ".olwmmo.", ".olmmdo.", ".omoodo.", ".oo..oo.",
};

struct StarLevel {
    const Pixmap* shape;
    Rgb ink, dark, mid, light, core;
};

const StarLevel kStarLevels[] = {
    {&kSparkStar, Rgb(30, 26, 54), Rgb(120, 120, 170), Rgb(176, 178, 220), Rgb(222, 226, 250), palette::kWhite},
    {&kFiveStar, Rgb(40, 30, 40), Rgb(150, 130, 120), Rgb(206, 190, 150), Rgb(240, 230, 190), palette::kWhite},
    {&kFiveStar, palette::kGoldInk, palette::kGoldDark, palette::kGoldMid, palette::kGoldLight, palette::kGoldGleam},
    {&kFiveStar, palette::kGoldInk, Rgb(214, 110, 20), Rgb(250, 176, 40), Rgb(255, 228, 120), palette::kWhite},
    {&kFiveStar, palette::kGoldInk, Rgb(246, 170, 40), Rgb(255, 222, 100), Rgb(255, 246, 190), palette::kWhite},
};

// Twinkle frames: 0 as drawn, 1 one shade brighter, 2 with glints at two corners, 3 with the
// core dimmed. The brightest level keeps its corner glints on every frame.
Image star_tile(int level, int frame) {
    const StarLevel& s = kStarLevels[level];
    Rgb dark = s.dark, mid = s.mid, light = s.light, core = s.core;
    if (frame == 1) {
        dark = mid;
        mid = light;
        light = core;
    }
    if (frame == 3) core = light;
    Image tile(8, 8);
    draw_pixmap(tile, 0, 0, *s.shape, {{'o', s.ink}, {'d', dark}, {'m', mid}, {'l', light}, {'w', core}});
    if (frame == 2 || level == 4) {
        const bool alternate = level == 4 && frame % 2 == 1;
        tile.set(alternate ? 0 : 7, 0, core);
        tile.set(alternate ? 7 : 0, 7, frame == 2 ? core : light);
    }
    return tile;
}

}  // namespace

Image make_pop(const Context&) {
    Image sheet(kPopFrames * kPopSize, kPopFrames * kPopSize);
    for (int type = 1; type <= 3; ++type)
        for (int f = 0; f < kPopFrames; ++f) sheet.draw(pop_frame(type, f), f * kPopSize, (type - 1) * kPopSize);
    for (int f = 0; f < kPopFrames; ++f) sheet.draw(flash_frame(f), f * kPopSize, 4 * kPopSize);
    return sheet;
}

Image make_super(const Context&) {
    Image sheet(40, 32);
    for (int level = 0; level < 5; ++level)
        for (int frame = 0; frame < 4; ++frame) sheet.draw(star_tile(level, frame), 8 * level, 8 * frame);
    return sheet;
}

}  // namespace assetgen
