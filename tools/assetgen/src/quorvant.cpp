// Quorvant, character 1: a short, round pastry chef in a crimson jacket and cream apron, with a
// huge mustard beret, a ginger handlebar moustache and a silver tray always up on one hand.
// Warm colours, a wide low silhouette, a jolly bluster. He lobs sugar cubes, a croissant and a
// teacup; his super spins the tray overhead and flings it like a discus.

#include <cmath>

#include "characters.hpp"
#include "maths.hpp"

namespace assetgen {

namespace {

const Shades kJacket{{40, 6, 14}, {118, 22, 36}, {174, 42, 50}, {222, 94, 82}};
const Shades kTrousers{{24, 16, 14}, {58, 44, 40}, {84, 66, 58}, {114, 94, 82}};
const Shades kBoots{{20, 8, 6}, {60, 28, 18}, {92, 46, 28}, {142, 82, 52}};
const Shades kGlove{{40, 40, 56}, {176, 180, 200}, {226, 228, 236}, {255, 255, 255}};
const Shades kSkin{{62, 24, 18}, {196, 118, 88}, {238, 166, 126}, {252, 206, 170}};
const Shades kGinger{{50, 20, 6}, {156, 68, 20}, {210, 106, 34}, {246, 158, 72}};
const Shades kBeret{{52, 32, 6}, {168, 110, 22}, {220, 160, 40}, {250, 208, 100}};
const Rgb kApron{244, 234, 208};
const Rgb kApronShade{212, 196, 160};
const Rgb kButton{250, 206, 90};
const Rgb kRosy{232, 120, 104};
const FaceLook kLook{{30, 12, 8}, {252, 248, 236}, {40, 30, 24}, {96, 24, 22}, {220, 100, 96}};

// Short and round: stubby legs and arms, wide hips and shoulders.
const Build kBuild{24, 27, 5, 30, {-8, 1}, {5, 2}, 15, 14, 11, 11, {5, 4.2, 3.6}, {4.6, 4.0, 3.4}, 3.9,
                   {{-5, -3}, {3, -4}, {8, -2}, {10, 1}, {10, 3}, {-5, 3}}, kTrousers, kBoots, kJacket, kGlove};

Skeleton skeleton(const Pose& p) {
    Skeleton b = skeleton_of(kBuild, p);
    b.tilt = p.lean * 0.6 + p.head;
    b.head = along(along(b.hip, 180 - p.lean, 41 + p.stretch), 180 - b.tilt, 4);
    return b;
}

// The tray on the back hand: flat with a teacup and a croissant, or spinning once raised.
void draw_tray(Image& f, Point hand, double tilt, double raised, double spin) {
    const Point c{hand.x, hand.y - 6};
    if (raised > 0.5) {
        draw_item(f, kTray, {c.x, c.y - 2}, spin);
        return;
    }
    draw_part(f, Part().polygon(oval({c.x + 2, c.y - 4}, 3.5, 3, 0)).polygon(placed({c.x + 2, c.y - 4}, tilt, {{-4, -1}, {4, -1}, {3, 3}, {-3, 3}})),
              kTeaRed, 1);
    draw_part(f, Part().circle({c.x - 5, c.y - 3}, 2.8).circle({c.x - 9, c.y - 2}, 2.2).circle({c.x - 1.5, c.y - 2}, 2),
              kPastry, 1);
    draw_part(f, Part().polygon(oval(c, 13, 2.6, tilt)), kSilver, 1);
}

void draw_head(Image& f, const Skeleton& b, int face) {
    const Point h = b.head;
    const double t = b.tilt;
    draw_part(f, Part().polygon(oval(h, 12, 11.5, t)), kSkin, 2);
    draw_part(f, Part().polygon(placed(h, t, {{-12, 0}, {-8, -5}, {-6, 3}, {-9, 6}})), kGinger, 1);
    draw_part(f, Part().polygon(oval(turned({h.x - 5, h.y + 2}, h, t), 2.4, 3, t)), kSkin, 1);
    const Point eye = turned({h.x + 4, h.y - 2}, h, t);
    draw_eyes(f, face, eye, 7, kLook);
    for (int side = 0; side < 2; ++side) block(f, eye.x - 2 - 7 * side, eye.y - 5 + (face == kFocus ? 1 : 0), 5 - side, 2, kGinger.dark);
    draw_mouth(f, face, turned({h.x + 8, h.y + 10}, h, t), kLook);
    draw_part(f, Part().polygon(placed(h, t, {{0, 5}, {5, 3}, {9, 5}, {13, 3}, {17, 3}, {20, 0}, {21, 3}, {18, 7}, {13, 8},
                                               {9, 7}, {5, 8}, {1, 9}, {-2, 8}, {-3, 4}})),
              kGinger, 1);
    draw_part(f, Part().polygon(oval(turned({h.x + 10, h.y + 1}, h, t), 3.6, 3.4, 0)), kSkin, 1);
    const Point cheek = turned({h.x + 1, h.y + 3}, h, t);
    block(f, cheek.x, cheek.y, 3, 2, kRosy);
    // The beret, worn at a jaunty angle.
    draw_part(f, Part().polygon(oval(turned({h.x - 1, h.y - 10}, h, t), 18, 6.5, t - 8)), kBeret, 2);
    draw_part(f, Part().capsule(turned({h.x - 2, h.y - 15}, h, t), turned({h.x - 1, h.y - 19}, h, t), 1.6, 1.2), kBeret, 1);
    const Point band = turned({h.x, h.y - 5}, h, t);
    draw_patch(f, Part().polygon(oval(band, 11, 1.4, t - 6)), kBeret.dark);
}

void draw_body(Image& f, const Pose& p, Point belly) {
    const double rx = 18, ry = 22 + p.stretch / 2;
    draw_part(f, Part().polygon(oval(belly, rx, ry, p.lean)), kJacket, 2);
    std::vector<Point> apron;
    for (int a = -40; a <= 100; a += 10)
        apron.push_back(turned({belly.x + rx * 0.9 * std::cos(a * kPi / 180), belly.y + ry * 0.9 * std::sin(a * kPi / 180)},
                               belly, p.lean));
    apron.push_back(turned({belly.x - 4, belly.y + 2}, belly, p.lean));
    draw_patch(f, Part().polygon(apron), kApron);
    draw_patch(f, Part().polygon(placed(belly, p.lean, {{4, 14}, {15, 8}, {12, 14}, {4, 19}})), kApronShade);
    for (const Point& button : placed(belly, p.lean, {{9, -16}, {13, -10}})) block(f, button.x, button.y, 2, 2, kButton);
    const Point collar = along(belly, 180 - p.lean, ry - 2);
    draw_part(f, Part().polygon({{collar.x + 1, collar.y - 2}, {collar.x + 9, collar.y - 1}, {collar.x + 5, collar.y + 4}}),
              kGlove, 1);
}

void draw_quorvant(Image& f, const Pose& p) {
    const Skeleton b = skeleton(p);
    const Point belly = along(b.hip, 180 - p.lean, 17 + p.stretch / 2);
    draw_arm(f, kBuild, b.back_shoulder, b.back_elbow, b.back_hand);
    draw_leg(f, kBuild, b.back_hip, b.back_knee, b.back_ankle);
    draw_leg(f, kBuild, b.front_hip, b.front_knee, b.front_ankle);
    draw_body(f, p, belly);
    draw_head(f, b, p.face);
    // The tray rides above and behind his head, so it is drawn over the beret's back.
    if (!(p.item == kTray && p.flying)) draw_tray(f, b.back_hand, p.tool, p.open, p.spin);
    draw_arm(f, kBuild, b.front_shoulder, b.front_elbow, b.front_hand);
    if (p.item != kNoItem && !p.flying) draw_item(f, p.item, {b.front_hand.x + 2, b.front_hand.y - 4}, p.spin);
    draw_thrown(f, p);
    draw_fx(f, p, belly, {b.head.x, b.head.y - 4});
}

// His carriage: the tray up behind his head, the free hand on his belly, chin up.
Style quorvant_style() {
    Style s;
    s.stand.back_arm = 190;
    s.stand.back_elbow = -5;
    s.stand.tool = 0;
    s.stand.front_arm = 20;
    s.stand.front_elbow = 70;
    s.stand.back_foot = -8;
    s.stand.front_foot = 8;
    s.stand.face = kCalm;
    s.items[0] = kSugar;
    s.items[1] = kCroissant;
    s.items[2] = kTeacup;
    s.super_item = kTray;
    s.hand_out = {58, 96};
    s.super_from = {66, 92};
    s.tool_up = {165, 10, 0};
    s.tool_out = {100, 0, -10};
    s.tool_carry = {190, -5, 0};
    s.tool_droop = {185, -5, 25};
    s.sink = 7;
    s.opens = true;
    return s;
}

}  // namespace

const Cast& quorvant_cast() {
    static const Cast kCast{"quorvant", rival_clips(quorvant_style()), draw_quorvant};
    return kCast;
}

Image make_quorvant_portrait(const Context& ctx) {
    Pose p = quorvant_style().stand;
    p.face = kGrin;
    p.back_arm = 0;  // the tray out of the picture
    Image frame(256, 192);
    draw_quorvant(frame, p);
    return portrait(frame, skeleton(p).head, "QUORVANT", Rgb(92, 30, 34), ctx.font);
}

}  // namespace assetgen
