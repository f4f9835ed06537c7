// Ombrelix, character 0: a tall, lanky night barista in a long teal coat, never without his
// violet umbrella. Cool colours, a narrow vertical silhouette, a smug half-lidded look. He flicks
// coffee beans, sugar cubes and a hot espresso; his super opens the umbrella and fires a ball of
// coffee and steam.

#include <cmath>

#include "characters.hpp"
#include "palette.hpp"

namespace assetgen {

namespace {

constexpr double kTorso = 38;

const Shades kCoat{{8, 26, 34}, {22, 70, 88}, {36, 112, 128}, {78, 164, 168}};
const Shades kTrousers{{12, 14, 26}, {30, 32, 50}, {48, 52, 76}, {74, 80, 108}};
const Shades kShoes{{8, 8, 14}, {22, 22, 30}, {40, 40, 52}, {100, 100, 122}};
const Shades kSkin{{52, 24, 22}, {184, 122, 100}, {228, 170, 138}, {248, 210, 180}};
const Shades kHair{{8, 8, 20}, {22, 24, 46}, {38, 42, 76}, {72, 84, 134}};
const Shades kCanopy{{30, 10, 40}, {84, 36, 120}, {128, 66, 172}, {180, 120, 216}};
const Shades kWood{palette::kWoodInk, palette::kWoodDark, palette::kWoodLight, palette::kWoodGleam};
const Rgb kShirt{238, 230, 208};
const Rgb kGold{240, 178, 48};
const Rgb kFerrule{210, 214, 226};
const FaceLook kLook{{22, 10, 16}, {250, 246, 236}, {28, 44, 66}, {84, 24, 30}, {214, 96, 96}};

// Tall and lanky: long legs and arms, narrow hips and shoulders.
const Build kBuild{18, 54, 2, kTorso, {-3, 2}, {2, 2}, 29, 28, 19, 18, {4.2, 3.2, 2.6}, {3.6, 3.1, 2.7}, 2.8,
                   {{-3, -2}, {2, -3}, {8, -1}, {10, 1}, {10, 3}, {-3, 3}}, kTrousers, kShoes, kCoat, kSkin};

Skeleton skeleton(const Pose& p) {
    Skeleton b = skeleton_of(kBuild, p);
    b.tilt = p.lean * 0.5 + p.head;
    b.head = along(along(b.hip, 180 - p.lean, kTorso + p.stretch + 2), 180 - b.tilt, 12);
    return b;
}

// The umbrella, held at the crook: furled along its shaft, or opened into a dome whose panels
// turn with `spin`.
void draw_umbrella(Image& f, Point hand, double angle, double open, double spin) {
    const Point tip = along(hand, angle, 50);
    const Point hook = along(hand, angle + 180, 5);
    draw_part(f, Part().capsule(hand, hook, 1.7, 1.7).capsule(hook, along(hook, angle + 90, 4), 1.7, 1.5)
                     .capsule(along(hook, angle + 90, 4), along(hand, angle + 90, 5), 1.5, 1.3),
              kWood, 1);
    draw_part(f, Part().capsule(hand, tip, 1.0, 0.8), kShoes, 1);
    dot(f, tip.x, tip.y, kFerrule);
    if (open < 0.2) {
        std::vector<Point> furled;
        const double widths[] = {1.6, 3.8, 4.2, 2.4, 0.8}, at[] = {11, 18, 27, 38, 46};
        for (int i = 0; i < 5; ++i) furled.push_back(along(along(hand, angle, at[i]), angle - 90, widths[i]));
        for (int i = 4; i >= 0; --i) furled.push_back(along(along(hand, angle, at[i]), angle + 90, widths[i]));
        draw_part(f, Part().polygon(furled), kCanopy, 1);
        const Point strap = along(hand, angle, 26);
        block(f, strap.x - 1, strap.y - 1, 2, 2, kGold);
        return;
    }
    const double radius = 8 + 16 * open, height = 4 + 9 * open;
    const Point rim = along(hand, angle, 26), apex = along(rim, angle, height);
    std::vector<Point> dome;
    for (int i = 0; i <= 12; ++i) {
        const double u = (-90 + 15 * i) * 3.14159265358979 / 180;
        dome.push_back(along(along(rim, angle + 90, radius * std::sin(u)), angle, height * std::cos(u)));
    }
    for (int i = 8; i >= 0; --i) {  // the scalloped edge
        const double s = -1 + i * 0.25;
        dome.push_back(along(along(rim, angle + 90, radius * s), angle, i % 2 ? -2.5 : 0));
    }
    draw_part(f, Part().polygon(dome), kCanopy, 2);
    for (int k = 0; k < 4; ++k) {  // lighter panels, turning
        const double s0 = std::fmod(spin / 90 + k * 0.5, 2.0) - 1, s1 = std::min(1.0, s0 + 0.25);
        if (s1 <= s0) continue;
        draw_patch(f, Part().polygon({lerp(apex, along(rim, angle + 90, radius * s0), 0.2),
                                      along(rim, angle + 90, radius * s0 * 0.96), along(rim, angle + 90, radius * s1 * 0.96),
                                      lerp(apex, along(rim, angle + 90, radius * s1), 0.2)}),
                   kCanopy.light);
    }
    dot(f, apex.x, apex.y, kFerrule);
}

void draw_head(Image& f, const Skeleton& b, int face) {
    const Point h = b.head;
    const double t = b.tilt;
    Part head;
    head.polygon(oval(h, 8.5, 11, t)).polygon(placed(h, t, {{5, -3}, {14, 3}, {13, 5}, {6, 5}}));
    draw_part(f, head, kSkin, 2);
    draw_part(f, Part().polygon(placed(h, t, {{-9, 4}, {-10, -5}, {-6, -11}, {0, -13}, {7, -12}, {13, -17}, {14, -11},
                                               {9, -7}, {3, -8}, {-1, -6}, {-3, -1}, {-6, 6}})),
              kHair, 2);
    draw_part(f, Part().polygon(oval(turned({h.x - 4, h.y + 1}, h, t), 2, 3, t)), kSkin, 1);
    const Point eye = turned({h.x + 4, h.y - 1}, h, t);
    draw_eyes(f, face, eye, 5, kLook);
    const Point tash = turned({h.x + 7, h.y + 6}, h, t);
    block(f, tash.x - 2, tash.y, 5, 1, kHair.ink);
    dot(f, tash.x - 3, tash.y - 1, kHair.ink);
    dot(f, tash.x + 3, tash.y - 1, kHair.ink);
    draw_mouth(f, face, turned({h.x + 6, h.y + 9}, h, t), kLook);
    const Point cheek = turned({h.x + 1, h.y + 4}, h, t);
    if (face != kSad) block(f, cheek.x, cheek.y, 2, 1, kSkin.dark);
}

void draw_coat(Image& f, const Pose& p, const Skeleton& b) {
    const double top = -kTorso - p.stretch;
    draw_part(f, Part().polygon(placed(b.hip, p.lean, {{-8, top + 1}, {-3, top - 1}, {7, top}, {10, top * 0.7}, {8, -12},
                                                        {10, 0}, {15, 22}, {-13, 22}, {-10, 4}, {-10, -14},
                                                        {-11, top * 0.7}})),
              kCoat, 2);
    draw_patch(f, Part().polygon(placed(b.hip, p.lean, {{1, top + 1}, {7, top + 1}, {4, top + 10}})), kShirt);
    draw_patch(f, Part().polygon(placed(b.hip, p.lean, {{-10, -15}, {8, -15}, {8, -12}, {-10, -12}})), kCoat.ink);
    for (const Point& button : placed(b.hip, p.lean, {{6, -13.5}, {7, -6}, {8, 2}})) block(f, button.x, button.y, 2, 1, kGold);
    const Point bow = turned({b.hip.x + 4, b.hip.y + top + 2}, b.hip, p.lean);
    block(f, bow.x - 2, bow.y, 5, 2, kGold);
    dot(f, bow.x, bow.y, palette::kGoldDark);
    draw_part(f, Part().polygon(placed(b.hip, p.lean, {{-8, top + 2}, {-7, top - 7}, {-1, top - 2}, {3, top + 1}})), kCoat, 1);
}

void draw_ombrelix(Image& f, const Pose& p) {
    const Skeleton b = skeleton(p);
    draw_arm(f, kBuild, b.back_shoulder, b.back_elbow, b.back_hand);
    if (p.item != kBolt || !p.flying || p.open > 0) draw_umbrella(f, b.back_hand, p.tool, p.open, p.spin);
    draw_part(f, Part().circle(b.back_hand, kBuild.hand), kSkin, 1);
    draw_leg(f, kBuild, b.back_hip, b.back_knee, b.back_ankle);
    draw_leg(f, kBuild, b.front_hip, b.front_knee, b.front_ankle);
    draw_coat(f, p, b);
    draw_head(f, b, p.face);
    draw_arm(f, kBuild, b.front_shoulder, b.front_elbow, b.front_hand);
    if (p.item != kNoItem && !p.flying) draw_item(f, p.item, {b.front_hand.x + 2, b.front_hand.y - 3}, p.spin);
    draw_thrown(f, p);
    draw_fx(f, p, {b.hip.x, b.hip.y - 20}, b.head);
}

// His carriage: leaning on the umbrella planted ahead of him, chin up.
Style ombrelix_style() {
    Style s;
    s.stand.back_arm = 25;
    s.stand.back_elbow = -5;
    s.stand.tool = 6;
    s.stand.front_arm = -8;
    s.stand.front_elbow = 18;
    s.stand.face = kSmug;
    s.items[0] = kBeans;
    s.items[1] = kSugar;
    s.items[2] = kEspresso;
    s.super_item = kBolt;
    s.hand_out = {66, 70};
    s.tool_up = {150, 10, -182};
    s.tool_out = {95, 0, 90};
    s.tool_carry = {60, -120, -160};
    s.tool_droop = {15, 0, 20};
    s.opens = true;
    s.super_from = {92, 84};
    return s;
}

}  // namespace

const Cast& ombrelix_cast() {
    static const Cast kCast{"ombrelix", rival_clips(ombrelix_style()), draw_ombrelix};
    return kCast;
}

Image make_ombrelix_portrait(const Context& ctx) {
    Pose p = ombrelix_style().stand;
    Image frame(256, 192);
    draw_ombrelix(frame, p);
    return portrait(frame, skeleton(p).head, "OMBRELIX", Rgb(24, 44, 66), ctx.font);
}

}  // namespace assetgen
