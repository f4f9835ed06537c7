#include "characters.hpp"

#include <algorithm>
#include <cmath>

#include "maths.hpp"
#include "palette.hpp"
#include "textfx.hpp"

namespace assetgen {

const Shades kPastry{{52, 24, 6}, {168, 92, 30}, {218, 148, 58}, {248, 204, 110}};
const Shades kTeaRed{{44, 8, 14}, {140, 30, 42}, {196, 54, 60}, {238, 118, 104}};
const Shades kSilver{{30, 32, 44}, {118, 124, 142}, {176, 182, 198}, {232, 236, 246}};

namespace {

double mixd(double a, double b, double t) { return a + (b - a) * t; }

// Item colours.
const Shades kBean{{26, 12, 6}, {70, 36, 18}, {104, 60, 30}, {146, 94, 54}};
const Shades kCube{{40, 40, 56}, {176, 180, 200}, {226, 228, 236}, {255, 255, 255}};
const Shades kCupWhite{{30, 34, 44}, {170, 176, 188}, {222, 226, 232}, {250, 250, 252}};
const Shades kCoffee{{24, 12, 6}, {82, 44, 22}, {126, 72, 36}, {178, 120, 70}};
const Shades kSpark{{70, 34, 6}, {236, 170, 44}, {255, 220, 110}, {255, 248, 214}};
const Shades kSteam{{70, 80, 104}, {178, 190, 212}, {222, 230, 244}, {250, 252, 255}};
const Shades kCloudGrey{{22, 26, 40}, {70, 78, 100}, {104, 112, 136}, {150, 158, 180}};
const Rgb kTrail{250, 236, 200};
const Rgb kRain{120, 160, 220};
const Rgb kSweatBlue{150, 210, 255};

void draw_star(Image& f, Point c, double r_out, double r_in, int points, double turn, const Shades& s) {
    std::vector<Point> corners;
    for (int i = 0; i < points * 2; ++i) {
        const double r = i % 2 ? r_in : r_out;
        corners.push_back(along(c, turn + 180.0 * i / points, r));
    }
    draw_part(f, Part().polygon(corners), s, r_out > 8 ? 2 : 1);
}

void draw_bean(Image& f, Point c, double turn) {
    const std::vector<Point> oval = {{-3.5, 0}, {-2.5, -2.4}, {0, -3}, {2.5, -2.4}, {3.5, 0}, {2.5, 2.4}, {0, 3}, {-2.5, 2.4}};
    std::vector<Point> pts;
    for (const Point& p : oval) pts.push_back({c.x + p.x, c.y + p.y});
    draw_part(f, Part().polygon(turned(pts, c, turn)), kBean, 1);
    const Point a = turned({c.x - 2, c.y}, c, turn), b = turned({c.x + 2, c.y}, c, turn);
    for (int i = 0; i <= 4; ++i) dot(f, mixd(a.x, b.x, i / 4.0), mixd(a.y, b.y, i / 4.0) + (i == 2 ? 0.6 : 0), kBean.ink);
}

void draw_cup(Image& f, Point c, double turn, const Shades& body, const Shades& band, double size) {
    const double w = 5 * size, h = 5 * size;
    draw_part(f, Part().capsule(turned({c.x + w, c.y - h * 0.2}, c, turn), turned({c.x + w + 2 * size, c.y + h * 0.1}, c, turn),
                               1.8 * size, 1.8 * size),
              body, 1);
    draw_part(f, Part().polygon(turned({{c.x - w, c.y - h}, {c.x + w, c.y - h}, {c.x + w * 0.7, c.y + h}, {c.x - w * 0.7, c.y + h}}, c, turn)),
              body, 1);
    draw_patch(f, Part().polygon(turned({{c.x - w * 0.85, c.y - h * 0.1}, {c.x + w * 0.85, c.y - h * 0.1},
                                          {c.x + w * 0.8, c.y + h * 0.3}, {c.x - w * 0.8, c.y + h * 0.3}}, c, turn)),
               band.mid);
    draw_patch(f, Part().polygon(turned({{c.x - w * 0.8, c.y - h}, {c.x + w * 0.8, c.y - h}, {c.x + w * 0.8, c.y - h + 1.5 * size},
                                          {c.x - w * 0.8, c.y - h + 1.5 * size}}, c, turn)),
               kCoffee.mid);
}

}  // namespace

Pose blend(const Pose& a, const Pose& b, double t) {
    Pose p = b;
    p.walk = mixd(a.walk, b.walk, t);
    p.x = mixd(a.x, b.x, t);
    p.y = mixd(a.y, b.y, t);
    p.lean = mixd(a.lean, b.lean, t);
    p.stretch = mixd(a.stretch, b.stretch, t);
    p.head = mixd(a.head, b.head, t);
    p.back_arm = mixd(a.back_arm, b.back_arm, t);
    p.back_elbow = mixd(a.back_elbow, b.back_elbow, t);
    p.front_arm = mixd(a.front_arm, b.front_arm, t);
    p.front_elbow = mixd(a.front_elbow, b.front_elbow, t);
    p.back_foot = mixd(a.back_foot, b.back_foot, t);
    p.front_foot = mixd(a.front_foot, b.front_foot, t);
    p.back_lift = mixd(a.back_lift, b.back_lift, t);
    p.front_lift = mixd(a.front_lift, b.front_lift, t);
    p.tool = mixd(a.tool, b.tool, t);
    p.open = mixd(a.open, b.open, t);
    p.item_x = mixd(a.item_x, b.item_x, t);
    p.item_y = mixd(a.item_y, b.item_y, t);
    p.spin = mixd(a.spin, b.spin, t);
    p.glow = mixd(a.glow, b.glow, t);
    return p;
}

Skeleton skeleton_of(const Build& build, const Pose& p) {
    constexpr double kFloor = 170;
    Skeleton b;
    const double base = build.stand_x + p.walk;
    b.hip = {base + p.x, kFloor - build.hip_height + p.y};
    const Point shoulder = along(b.hip, 180 - p.lean, build.spine + p.stretch);
    b.back_shoulder = {shoulder.x + build.back_shoulder.x, shoulder.y + build.back_shoulder.y};
    b.front_shoulder = {shoulder.x + build.front_shoulder.x, shoulder.y + build.front_shoulder.y};
    b.back_elbow = along(b.back_shoulder, p.back_arm, build.upper_arm);
    b.back_hand = along(b.back_elbow, p.back_arm + p.back_elbow, build.forearm);
    b.front_elbow = along(b.front_shoulder, p.front_arm, build.upper_arm);
    b.front_hand = along(b.front_elbow, p.front_arm + p.front_elbow, build.forearm);
    b.back_hip = {b.hip.x - build.hip_half_width, b.hip.y};
    b.front_hip = {b.hip.x + build.hip_half_width, b.hip.y};
    b.back_ankle = {base + p.back_foot, kFloor - 3 - p.back_lift};
    b.front_ankle = {base + p.front_foot, kFloor - 3 - p.front_lift};
    b.back_knee = joint_between(b.back_hip, b.back_ankle, build.thigh, build.shin, 1);
    b.front_knee = joint_between(b.front_hip, b.front_ankle, build.thigh, build.shin, 1);
    return b;
}

void draw_arm(Image& f, const Build& build, Point shoulder, Point elbow, Point hand) {
    const double* r = build.arm;
    draw_part(f, Part().capsule(shoulder, elbow, r[0], r[1]).capsule(elbow, hand, r[1], r[2]), build.sleeves, 1);
    draw_part(f, Part().circle(hand, build.hand), build.hands, 1);
}

void draw_leg(Image& f, const Build& build, Point hip, Point knee, Point ankle) {
    const double* r = build.leg;
    draw_part(f, Part().capsule(hip, knee, r[0], r[1]).capsule(knee, ankle, r[1], r[2]), build.trousers, 1);
    draw_part(f, Part().polygon(placed(ankle, 0, build.shoe)), build.shoes, 1);
}

void draw_item(Image& f, int item, Point at, double spin) {
    switch (item) {
        case kBeans:
            draw_bean(f, {at.x - 4, at.y + 2}, spin + 30);
            draw_bean(f, {at.x + 3, at.y - 3}, spin - 20);
            draw_bean(f, {at.x + 4, at.y + 4}, spin + 80);
            break;
        case kSugar: {
            const std::vector<Point> sq = {{at.x - 4, at.y - 4}, {at.x + 4, at.y - 4}, {at.x + 4, at.y + 4}, {at.x - 4, at.y + 4}};
            draw_part(f, Part().polygon(turned(sq, at, spin)), kCube, 1);
            break;
        }
        case kEspresso:
            draw_cup(f, at, spin, kCupWhite, Shades{{10, 30, 40}, {24, 74, 96}, {40, 130, 150}, {90, 180, 190}}, 1.0);
            break;
        case kTeacup:
            draw_cup(f, at, spin, kTeaRed, kSpark, 1.1);
            break;
        case kCroissant: {
            Part p;
            for (int i = 0; i < 5; ++i) {
                const double a = spin + 200 + 35 * i, r = i == 2 ? 4.5 : i % 2 ? 3.8 : 2.6;
                p.circle(along(at, a, 6), r);
            }
            draw_part(f, p, kPastry, 1);
            for (int i = 0; i < 4; ++i) {
                const Point q = along(at, spin + 217 + 35 * i, 6);
                dot(f, q.x, q.y, kPastry.dark);
            }
            break;
        }
        case kBolt: {
            // A ball of hot coffee wrapped in steam, spinning.
            for (int i = 0; i < 5; ++i) {
                const Point q = along(at, spin + 72 * i, 13);
                draw_part(f, Part().circle(q, 6), kSteam, 1);
            }
            draw_part(f, Part().circle(at, 12), kCoffee, 2);
            for (int i = 0; i < 14; ++i) {
                const Point q = along(at, spin + 26 * i, 2 + i * 0.6);
                block(f, q.x, q.y, 2, 2, Rgb(240, 214, 170));
            }
            break;
        }
        case kTray: {
            const double squash = 0.35 + 0.25 * std::abs(std::sin(spin * kPi / 180));
            draw_part(f, Part().ellipse(at.x, at.y, 15, 15 * squash), kSilver, 2);
            draw_patch(f, Part().ellipse(at.x - 1, at.y - 1, 10, 10 * squash * 0.7), kSilver.light);
            const Point glint = along(at, spin * 2, 9);
            block(f, glint.x, glint.y - squash * 4, 2, 2, palette::kWhite);
            break;
        }
        default: break;
    }
}

void draw_thrown(Image& f, const Pose& p) {
    if (!p.flying || p.item == kNoItem) return;
    const Point at{p.item_x, p.item_y};
    if (p.fx == kNoFx) {
        const int reach = p.item == kBolt || p.item == kTray ? 30 : 16;
        for (int k = -1; k <= 1; ++k) block(f, at.x - reach - 8 + 4 * std::abs(k), at.y + 4 * k, reach - 4 * std::abs(k), 1, kTrail);
    }
    draw_item(f, p.item, at, p.spin);
}

void draw_fx(Image& f, const Pose& p, Point body, Point head) {
    const Point item{p.item_x, p.item_y};
    switch (p.fx) {
        case kImpact:
            draw_star(f, item, 11 + 2 * p.glow, 5, 6, p.spin * 0.2, kSpark);
            break;
        case kBigImpact:
            draw_star(f, item, 24 + 4 * p.glow, 10, 8, p.spin * 0.1, kSpark);
            draw_star(f, item, 12, 5, 8, 22 + p.spin * 0.1, kCube);
            break;
        case kChargeGlow:
            for (int i = 0; i < 6; ++i) {
                const Point q = along({body.x, body.y - 14}, p.spin + 60 * i, 20 + 4 * std::sin((p.spin + 90 * i) * kPi / 90));
                draw_star(f, q, 2 + 3 * p.glow, 1 + p.glow, 4, p.spin, kSpark);
            }
            break;
        case kSweat:
            draw_part(f, Part().ellipse(head.x - 9, head.y - 6 + p.glow * 4, 1.6, 2.4).polygon(
                             {{head.x - 10.5, head.y - 6 + p.glow * 4}, {head.x - 9, head.y - 11 + p.glow * 4},
                              {head.x - 7.5, head.y - 6 + p.glow * 4}}),
                      Shades{{20, 40, 80}, {90, 150, 220}, kSweatBlue, {240, 250, 255}}, 1);
            break;
        case kSparkle:
            for (int i = 0; i < 4; ++i) {
                const double phase = std::sin((p.spin + 90 * i) * kPi / 180);
                const Point q = along(head, 140 + 27 * i, 19 + 2 * i);
                if (phase > -0.3) draw_star(f, q, 3 + 2.5 * phase, 1.2, 4, 0, kSpark);
            }
            break;
        case kCloud: {
            const Point c{head.x - 2, head.y - 30};
            for (int i = 0; i < 4; ++i) {
                const Point q = along({c.x, c.y + 3}, p.spin + 90 * i, 1.5 * p.glow);
                block(f, q.x - 8 + 5 * i, c.y + 9 + std::fmod(p.spin * 0.3 + 7 * i, 12), 1, 3, kRain);
            }
            draw_part(f, Part().circle({c.x - 7, c.y + 2}, 5).circle({c.x, c.y - 2}, 7).circle({c.x + 8, c.y + 2}, 5)
                             .ellipse(c.x, c.y + 4, 12, 4),
                      kCloudGrey, 2);
            break;
        }
        case kDizzy:
            for (int i = 0; i < 3; ++i) {
                const double a = (p.spin + 120 * i) * kPi / 180;
                draw_star(f, {head.x + 14 * std::cos(a), head.y - 16 + 4 * std::sin(a)}, 3.5, 1.5, 5, p.spin, kSpark);
            }
            break;
        default: break;
    }
}

void draw_eyes(Image& f, int face, Point eye, int spacing, const FaceLook& look) {
    for (int side = 0; side < 2; ++side) {
        const double x = eye.x - side * spacing, y = eye.y;
        const int w = side ? 2 : 3;  // the far eye is foreshortened
        switch (face) {
            case kBlink: block(f, x - 1, y + 1, w + 1, 1, look.ink); break;
            case kGrin:
                dot(f, x - 1, y + 1, look.ink);
                block(f, x, y, w - 1, 1, look.ink);
                dot(f, x + w - 1, y + 1, look.ink);
                break;
            case kHurt:
                dot(f, x - (side ? -1 : 1), y - 1, look.ink);
                block(f, x, y, w, 1, look.ink);
                dot(f, x - (side ? -1 : 1), y + 1, look.ink);
                break;
            case kShout:
                block(f, x - 1, y - 2, w + 1, 5, look.white);
                block(f, x + (side ? 0 : 1), y - 1, 1, 2, look.ink);
                block(f, x - 1, y - 3, w + 1, 1, look.ink);
                break;
            case kSmug:
            case kFocus:
                block(f, x - 1, y, w + 1, 2, look.white);
                block(f, x + w - 2, y, 1 + (side ? 0 : 1), 2, look.iris);
                block(f, x - 1, y - 1, w + 2, 1, look.ink);
                if (face == kFocus) dot(f, side ? x + w : x - 2, y - 2, look.ink);
                break;
            case kSad:
                block(f, x - 1, y - 1, w + 1, 3, look.white);
                block(f, x + w - 2, y, 1 + (side ? 0 : 1), 2, look.iris);
                dot(f, side ? x - 2 : x + w, y - 2, look.ink);
                block(f, side ? x - 1 : x, y - 3 + (side ? 1 : 0), w, 1, look.ink);
                break;
            default:
                block(f, x - 1, y - 1, w + 1, 4, look.white);
                block(f, x + w - 2, y, 1 + (side ? 0 : 1), 3, look.iris);
                block(f, x - 1, y - 2, w + 1, 1, look.ink);
                break;
        }
    }
}

void draw_mouth(Image& f, int face, Point m, const FaceLook& look) {
    switch (face) {
        case kShout:
            block(f, m.x - 2, m.y - 2, 5, 5, look.mouth);
            block(f, m.x - 1, m.y + 1, 3, 2, look.tongue);
            break;
        case kGrin:
            block(f, m.x - 3, m.y - 1, 7, 3, look.mouth);
            block(f, m.x - 2, m.y + 2, 5, 1, look.mouth);
            block(f, m.x - 3, m.y - 1, 7, 1, look.white);
            block(f, m.x - 1, m.y + 1, 3, 1, look.tongue);
            break;
        case kHurt:
            block(f, m.x - 2, m.y - 1, 5, 3, look.mouth);
            block(f, m.x - 2, m.y - 1, 5, 1, look.white);
            break;
        case kSad:
            block(f, m.x - 1, m.y, 3, 1, look.mouth);
            dot(f, m.x - 2, m.y + 1, look.mouth);
            dot(f, m.x + 2, m.y + 1, look.mouth);
            break;
        case kSmug:
            block(f, m.x - 2, m.y, 3, 1, look.mouth);
            dot(f, m.x + 1, m.y - 1, look.mouth);
            break;
        case kFocus: block(f, m.x - 1, m.y, 3, 1, look.mouth); break;
        default:
            block(f, m.x - 1, m.y, 3, 1, look.mouth);
            dot(f, m.x + 2, m.y - 1, look.mouth);
            dot(f, m.x - 2, m.y - 1, look.mouth);
            break;
    }
}

Image portrait(const Image& frame, Point head, const char* name, Rgb backdrop, const Font& font) {
    Image small(30, 45, backdrop);
    Shape glow(30, 45);
    add_circle(glow, 15, 17, 14);
    paint(small, glow, mix(backdrop, palette::kLampGlow, 0.35));
    small.draw(frame.crop(static_cast<int>(head.x) - 15, static_cast<int>(head.y) - 19, 30, 45), 0, 0);
    Image out = small.scaled_up(2);
    TextLook look;
    look.bands = {palette::kGoldGleam, palette::kGoldLight, palette::kGoldMid};
    look.gleam = palette::kWhite;
    look.ink = palette::kGoldInk;
    look.ink_width = 1;
    look.shadow = Rgb(0, 0, 0);
    look.shadow_dx = look.shadow_dy = 1;
    const int size = font.fitting_size(name, 12, 54, 0.9, 1);
    const StyledText text = stylise(font.render(name, size, 0.9, 1), look);
    out.draw(text.image, (60 - text.image.width()) / 2, 88 - text.image.height());
    for (int k = 0; k < 60; ++k) {
        out.set(k, 0, palette::kWoodInk);
        out.set(k, 89, palette::kWoodInk);
    }
    for (int k = 0; k < 90; ++k) {
        out.set(0, k, palette::kWoodInk);
        out.set(59, k, palette::kWoodInk);
    }
    return out;
}

const std::vector<const Cast*>& the_cast() {
    static const std::vector<const Cast*> kCast = {&ombrelix_cast(), &quorvant_cast()};
    return kCast;
}

const std::vector<CharacterSheet>& character_sheets() {
    static const std::vector<CharacterSheet> kSheets = [] {
        std::vector<CharacterSheet> out;
        for (const Cast* cast : the_cast())
            for (const Clip& clip : cast->clips)
                out.push_back({std::string(cast->folder) + "/" + clip.sheet + ".pcx", cast, &clip});
        return out;
    }();
    return kSheets;
}

std::vector<Image> clip_pictures(const Cast& cast, const Clip& clip) {
    std::vector<Image> out;
    for (const Pose& pose : frames_of(clip.keys, blend)) {
        Image frame(256, 192);
        cast.draw(frame, pose);
        out.push_back(std::move(frame));
    }
    return out;
}

Image make_character_sheet(const CharacterSheet& sheet) {
    const std::vector<Image> frames = clip_pictures(*sheet.cast, *sheet.clip);
    int width = 1;
    for (const Image& frame : frames)
        for (int y = 0; y < frame.height(); ++y)
            for (int x = frame.width() - 1; x >= width; --x)
                if (!frame.is_mask(x, y)) {
                    width = x + 1;
                    break;
                }
    Image out(width, 192 * static_cast<int>(frames.size()));
    for (std::size_t k = 0; k < frames.size(); ++k) out.blit(frames[k], 0, 0, 0, 192 * static_cast<int>(k), width, 192);
    return out;
}

std::string sheet_fault(const std::string& file, const Image& sheet) {
    if (sheet.height() == 0 || sheet.height() % 192 != 0)
        return file + " is " + std::to_string(sheet.height()) + " rows high, not a whole number of 192-row frames";
    if (sheet.width() > 256) return file + " is " + std::to_string(sheet.width()) + " wide, more than 256";
    for (int y = 0; y < sheet.height(); ++y)
        if (sheet.width() == 256 && !sheet.is_mask(255, y))
            return file + " cuts its figure at the right edge (frame " + std::to_string(y / 192) + ")";
    const PictureAsset as_drawn{file.c_str(), sheet.width(), sheet.height(), nullptr};
    return picture_fault(as_drawn, sheet);
}

std::string budget_fault(const std::string& folder, const std::vector<const Image*>& sheets) {
    long bytes = 0;
    for (const Image* s : sheets) bytes += 2L * s->width() * s->height();
    if (bytes <= kSheetBudget) return "";
    return "the sheets of " + folder + " take " + std::to_string(bytes) + " bytes in 16-bit colour, more than " +
           std::to_string(kSheetBudget);
}

}  // namespace assetgen
