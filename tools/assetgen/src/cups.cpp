// cups.pcx: 80 × 64, tiles of 16 × 16. Columns: still cup, shimmer frames 1-3, junk cup.
// Rows: the empty counter tile, then cup types 1 (red mug), 2 (teal glass), 3 (gold teacup).
// Each type has its own colour and its own silhouette, so that the three read apart in
// greyscale too. Cups are lit from the top left; the area around a cup is the mask colour,
// while the empty tile is opaque because it is drawn over the board while a line slides.

#include <algorithm>
#include <string>

#include "fail.hpp"
#include "palette.hpp"
#include "pictures.hpp"
#include "pixmap.hpp"

namespace assetgen {

namespace {

constexpr int kTile = 16;
constexpr int kShimmerFrames = 3;
constexpr int kJunkColumn = 4;

// One cup type: its picture (o = outline, s = specular dot, the rest shades of the cup) and
// the cracks of its junk picture (x = crack, + = chipped edge beside it).
struct CupArt {
    Pixmap picture;
    Legend legend;
    Pixmap cracks;
};

const CupArt kMug = {
    {
        "................",
        "................",
        "................",
        "..oooooooooo....",
        ".ohckkkkkkcmo...",
        ".ohhhhhhllmmooo.",
        ".olhslllllmdmmmo",
        ".olhllllllmdo.mo",
        ".olhllllllmdo.mo",
        ".olhllllllmdo.do",
        ".olhllllllmdmmdo",
        ".ollllllllmdooo.",
        ".ollllllllmddo..",
        "..odmmmmmmddo...",
        "...oooooooooo...",
        "................",
    },
    {
        {'o', Rgb(44, 10, 18)},
        {'d', Rgb(132, 22, 34)},
        {'m', Rgb(190, 38, 46)},
        {'l', Rgb(226, 64, 62)},
        {'h', Rgb(250, 132, 118)},
        {'s', Rgb(255, 240, 230)},
        {'c', Rgb(70, 36, 22)},
        {'k', Rgb(168, 110, 64)},
    },
    {
        "................",
        "................",
        "................",
        "................",
        "................",
        ".....x..........",
        ".....+x.........",
        "......x.........",
        "......+xx.......",
        "........x+......",
        ".......x........",
        ".......x........",
        "................",
        "................",
        "................",
        "................",
    },
};

const CupArt kGlass = {
    {
        "..........o.....",
        ".........owo....",
        "...ooooooowoo...",
        "..ohggggggwggo..",
        "..ohggggggwggo..",
        "..ohiiiiiiiiio..",
        "...ohsllllmdo...",
        "...ohliilmmdo...",
        "...ohliimmmdo...",
        "...ohllllmmdo...",
        "....ohllmmdo....",
        "....ohllmmdo....",
        "....obbbbbbo....",
        "....odbbbbdo....",
        ".....oooooo.....",
        "................",
    },
    {
        {'o', Rgb(8, 38, 44)},
        {'d', Rgb(14, 90, 98)},
        {'m', Rgb(24, 136, 136)},
        {'l', Rgb(48, 184, 172)},
        {'i', Rgb(190, 246, 236)},
        {'h', Rgb(210, 250, 244)},
        {'g', Rgb(92, 150, 160)},
        {'b', Rgb(116, 196, 196)},
        {'w', Rgb(246, 236, 214)},
        {'s', Rgb(255, 255, 255)},
    },
    {
        "................",
        "................",
        "................",
        "........x.......",
        "........+x......",
        ".........x......",
        "........x+......",
        "........x.......",
        ".......+x.......",
        "........xx......",
        ".........+......",
        "................",
        "................",
        "................",
        "................",
        "................",
    },
};

const CupArt kTeacup = {
    {
        "................",
        "................",
        "................",
        "................",
        "..oooooooooo....",
        ".ohckkkkkkcmo...",
        ".ohhhhhhhllmooo.",
        ".olsllllllmdmmdo",
        ".ollllllllmdo.do",
        "..ollllllmddmdo.",
        "...oddmmmmdooo..",
        ".ooohhllllllmoo.",
        "ohhllllllllllmmo",
        ".oddmmmmmmmmddo.",
        "..oooooooooooo..",
        "................",
    },
    {
        {'o', Rgb(52, 30, 8)},
        {'d', Rgb(196, 126, 30)},
        {'m', Rgb(240, 178, 52)},
        {'l', Rgb(250, 204, 74)},
        {'h', Rgb(255, 238, 160)},
        {'s', Rgb(255, 255, 236)},
        {'c', Rgb(120, 52, 18)},
        {'k', Rgb(196, 104, 40)},
    },
    {
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "....x...........",
        "....+x..........",
        ".....xx.........",
        ".......x+.......",
        "................",
        "..........x.....",
        "..........+x....",
        "................",
        "................",
    },
};

const CupArt* const kCupTypes[] = {&kMug, &kGlass, &kTeacup};

void check_size(const Pixmap& rows, const char* what) {
    bool ok = rows.size() == kTile;
    for (const char* row : rows) ok = ok && std::string(row).size() == kTile;
    if (!ok) fail(std::string("the ") + what + " of a cup is not 16 x 16");
}

bool is_body(char key) { return key != '.' && key != 'o'; }

// Shimmer: a bright band across the cup, perpendicular to the top-left light, that crosses
// the cup from its top-left corner to its bottom-right one over the three frames.
Rgb glint(Rgb c, int x, int y, int frame, const Pixmap& picture) {
    int first = 2 * kTile, last = 0;  // range of x + y over the cup's body
    for (int py = 0; py < kTile; ++py)
        for (int px = 0; px < kTile; ++px)
            if (is_body(picture[py][px])) {
                first = std::min(first, px + py);
                last = std::max(last, px + py);
            }
    const int centre = first + (last - first) * frame / (kShimmerFrames + 1);
    const int d = x + y - centre;
    if (d == 0) return mix(c, palette::kWhite, 0.62);
    if (d == 1) return mix(c, palette::kWhite, 0.3);
    return c;
}

// Junk: the same silhouette, greyed and dimmed toward a cold slate, with dark cracks.
Rgb junk_shade(Rgb c) { return mix(desaturated(c, 0.8), Rgb(92, 100, 112), 0.25); }

void draw_cup(Image& sheet, int type, int column) {
    const CupArt& art = *kCupTypes[type - 1];
    check_size(art.picture, "picture");
    check_size(art.cracks, "crack map");
    const Rgb ink = art.legend.at('o');
    const int x0 = column * kTile, y0 = type * kTile;
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            const char key = art.picture[y][x];
            if (key == '.') continue;
            Rgb c = art.legend.at(key);
            if (column >= 1 && column <= kShimmerFrames && is_body(key)) c = glint(c, x, y, column, art.picture);
            if (column == kJunkColumn) {
                c = key == 's' ? junk_shade(art.legend.at('l')) : junk_shade(c);
                const char crack = art.cracks[y][x];
                if (crack == 'x' && is_body(key)) c = ink;
                if (crack == '+' && is_body(key)) c = mix(c, palette::kWhite, 0.35);
            }
            sheet.set(x0 + x, y0 + y, c);
        }
}

// The counter seen through an empty cell: dark tiles with a grout line on the top and left
// edges, a faint sheen along the tile's inner edge and a few flecks. The board well of the
// background repeats this tile, so a sliding empty cell is indistinguishable from it.
void draw_counter_tile(Image& sheet, int x0, int y0, bool stained) {
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            Rgb c = palette::kWellTile;
            if (x == 0 || y == 0) c = palette::kWellGrout;
            else if (x == 1 || y == 1) c = palette::kWellSheen;
            sheet.set(x0 + x, y0 + y, c);
        }
    static const Point kFlecks[] = {{4, 11}, {11, 4}, {12, 13}, {7, 7}};
    for (const Point& p : kFlecks) sheet.set(x0 + static_cast<int>(p.x), y0 + static_cast<int>(p.y), palette::kWellFleck);
    if (stained) {
        // A faint ring left by a cup that was knocked away.
        Shape ring(kTile, kTile);
        add_circle(ring, 8.5, 9.0, 5.0);
        const Shape edge = ring.inner_edge();
        paint(sheet, edge, [](int x, int y) { return (x + y) % 3 == 0 ? palette::kWellTile : Rgb(48, 38, 44); },
              x0, y0);
    }
}

}  // namespace

Image make_cups(const Context&) {
    Image sheet(5 * kTile, 4 * kTile);
    for (int column = 0; column < 5; ++column)
        draw_counter_tile(sheet, column * kTile, 0, column == kJunkColumn);
    for (int type = 1; type <= 3; ++type)
        for (int column = 0; column < 5; ++column) draw_cup(sheet, type, column);
    return sheet;
}

Image cup_picture(int type) {
    Image sheet(5 * kTile, 4 * kTile);
    draw_cup(sheet, type, 0);
    return sheet.crop(0, type * kTile, kTile, kTile);
}

CupShades cup_shades(int type) {
    const Legend& l = kCupTypes[type - 1]->legend;
    return {l.at('o'), l.at('d'), l.at('m'), l.at('l'), l.at('h')};
}

Image counter_tile() {
    Image tile(kTile, kTile);
    draw_counter_tile(tile, 0, 0, false);
    return tile;
}

}  // namespace assetgen
