// The pictures of the screens around the battle:
// title.pcx    256 × 120: the logo, two cups clinking over the word "cupclash", masked;
// swirl.pcx    256 × 6144: 32 frames of 256 × 192, cream swirling in a cup of coffee seen from
//              above, looping; a light band across y 166-188 carries the game's black credit line;
// buttons.pcx  256 × 192: the title's bottom panel, one button per 128 × 96 quadrant;
// modes.pcx    256 × 192: the title's second page: TWO PLAYERS on the upper half, BACK on the lower;
// charsel.pcx  256 × 192: the top panel of the character select, saying which row picks whom;
// charsel2.pcx 256 × 192: the same for two people, with each one's keys;
// charsel_watch.pcx, charsel_online.pcx 256 × 192: the same for WATCH and for a match online;
// menutxt.pcx  120 × 96: the pause menu's four labels, 120 × 24 each, masked;
// records.pcx  256 × 384: the records screen, its top panel over its bottom one: the heading, a
//              place for the strength between two lines, and the table's column heads over ten
//              alternating row bands that the game writes the records into;
// keys.pcx     256 × 384: the keys screen, top over bottom: the heading, how to change a key, and
//              six rows naming the actions, whose keys the game writes on their right.

#include <algorithm>
#include <cmath>
#include <string>

#include "layout.hpp"
#include "maths.hpp"
#include "palette.hpp"
#include "pictures.hpp"
#include "screen_kit.hpp"

namespace assetgen {

namespace {

using namespace palette;

constexpr int kSwirlFrames = 32;
constexpr int kCreditTop = 166;  // the light band behind the credit line (drawn at y 176, 8 px high)
constexpr int kCreditBottom = 188;

// A steam curl rising from (x, bottom) to (x, top), swaying `sway` pixels, in two shades.
void draw_steam(Image& img, double x, int bottom, int top, double sway, double phase) {
    Shape curl(img.width(), img.height());
    for (int y = top; y <= bottom; ++y) {
        const double t = static_cast<double>(bottom - y) / (bottom - top);
        const double cx = x + sway * std::sin(phase + t * kTwoPi * 0.9) * (0.4 + 0.6 * t);
        add_circle(curl, cx, y, 1.6 - 0.6 * t);
    }
    paint(img, curl.dilated(1).minus(curl), Rgb(60, 40, 34));
    paint(img, curl, [&](int, int y) { return y < (top + bottom) / 2 ? Rgb(236, 228, 214) : Rgb(250, 246, 236); });
}

// A four-pointed spark where the cups meet.
void draw_spark(Image& img, int cx, int cy) {
    Shape star(img.width(), img.height());
    add_polygon(star, {{cx + 0.5, cy - 10.0}, {cx + 3.0, cy - 2.5}, {cx + 11.0, cy + 0.5}, {cx + 3.0, cy + 3.5},
                       {cx + 0.5, cy + 11.0}, {cx - 2.0, cy + 3.5}, {cx - 10.0, cy + 0.5}, {cx - 2.0, cy - 2.5}});
    paint(img, star.dilated(1).minus(star), kGoldInk);
    paint(img, star, kGoldLight);
    Shape core(img.width(), img.height());
    add_circle(core, cx + 0.5, cy + 0.5, 2.5);
    paint(img, core, kGoldGleam);
    for (const auto& [dx, dy] : {std::pair{-14, -8}, std::pair{14, -9}, std::pair{-12, 9}, std::pair{13, 8}}) {
        img.set(cx + dx, cy + dy, kGoldGleam);
        img.set(cx + dx + (dx > 0 ? 1 : -1), cy + dy + (dy > 0 ? 1 : -1), kGoldMid);
    }
}

// --- Swirl -----------------------------------------------------------------------------------

// Cream poured into coffee: arms of a spiral that wind slowly inward. One loop of the 32 frames
// moves the pattern by exactly one arm, so frame 31 runs on into frame 0.
Rgb swirl_colour(double x, double y, int frame) {
    const Rgb espresso(58, 34, 24), coffee(84, 52, 34), latte(128, 84, 54), cream(176, 128, 84);
    const double cx = 128, cy = 96;
    const double dx = x - cx, dy = (y - cy) * 1.15;
    const double r = std::sqrt(dx * dx + dy * dy) + 1.0;
    const double angle = std::atan2(dy, dx);
    constexpr int kArms = 4;
    double v = (kArms * angle + 2.4 * std::log(r)) / kTwoPi - static_cast<double>(frame) / kSwirlFrames;
    v -= std::floor(v);
    // A gentle ripple keeps the arms from looking ruled.
    v += 0.03 * std::sin(r * 0.15 - frame * kTwoPi / kSwirlFrames);
    v -= std::floor(v);
    // Near the middle the arms melt together into a pale centre.
    if (r < 14) return cream;
    if (v < 0.38) return espresso;
    if (v < 0.62) return coffee;
    if (v < 0.8) return latte;
    if (v < 0.88) return cream;
    return latte;
}

void draw_swirl_frame(Image& sheet, int frame) {
    const int y0 = frame * layout::kPanelH;
    for (int y = 0; y < layout::kPanelH; ++y)
        for (int x = 0; x < layout::kPanelW; ++x) sheet.set(x, y0 + y, swirl_colour(x + 0.5, y + 0.5, frame));
    // The band for the credit line: steamed milk foam, with a darker rim above and below.
    const Rgb rim(60, 38, 28), foam_edge(214, 190, 156), foam(240, 226, 200);
    sheet.fill_rect(0, y0 + kCreditTop, layout::kPanelW, 1, rim);
    sheet.fill_rect(0, y0 + kCreditTop + 1, layout::kPanelW, 2, foam_edge);
    sheet.fill_rect(0, y0 + kCreditTop + 3, layout::kPanelW, kCreditBottom - kCreditTop - 5, foam);
    sheet.fill_rect(0, y0 + kCreditBottom - 2, layout::kPanelW, 2, foam_edge);
    sheet.fill_rect(0, y0 + kCreditBottom, layout::kPanelW, 1, rim);
    // A few bubbles in the foam edge drift along with the frames.
    for (int k = 0; k < 16; ++k) {
        const int bx = (k * 16 + frame / 2 + (k % 3) * 5) % layout::kPanelW;
        sheet.set(bx, y0 + kCreditTop + 1 + (k % 2) * (kCreditBottom - kCreditTop - 3), foam);
    }
}

// --- Buttons ---------------------------------------------------------------------------------

struct ButtonLook {
    const char* label;
    const char* detail;
    Rgb ink, dark, mid, light, gleam;
};

// The icon in the upper part of each button.
enum class Icon { kMug, kEye, kQuestion, kCups, kBack };

void draw_eye(Image& img, int cx, int cy) {
    Shape white(img.width(), img.height()), iris(img.width(), img.height()), pupil(img.width(), img.height());
    add_polygon(white, {{cx - 15.0, cy + 0.5}, {cx - 8.0, cy - 6.0}, {cx + 0.5, cy - 8.5}, {cx + 9.0, cy - 6.0},
                        {cx + 16.0, cy + 0.5}, {cx + 9.0, cy + 7.0}, {cx + 0.5, cy + 9.5}, {cx - 8.0, cy + 7.0}});
    add_circle(iris, cx + 0.5, cy + 0.5, 6.5);
    add_circle(pupil, cx + 0.5, cy + 0.5, 3.0);
    paint(img, white.dilated(1).minus(white), Rgb(16, 24, 36));
    paint(img, white, Rgb(240, 244, 248));
    paint(img, iris.intersected(white), Rgb(60, 110, 170));
    paint(img, pupil, Rgb(16, 24, 36));
    img.fill_rect(cx + 2, cy - 3, 2, 2, kWhite);
}

void draw_icon(Image& img, const Font& font, Icon icon, int cx, int top) {
    switch (icon) {
    case Icon::kMug:
        img.draw(cup_picture(1).scaled_up(2), cx - 16, top);
        break;
    case Icon::kEye:
        draw_eye(img, cx, top + 15);
        break;
    case Icon::kQuestion: {
        Shape bubble(img.width(), img.height());
        add_circle(bubble, cx + 0.5, top + 15.5, 14);
        paint(img, bubble.dilated(1).minus(bubble), Rgb(30, 16, 40));
        paint(img, bubble, [&](int, int y) { return y < top + 10 ? Rgb(250, 244, 255) : Rgb(226, 214, 244); });
        const StyledText q = styled(font, "?", 22, look_of(Rgb(210, 170, 255), Rgb(150, 90, 220), Rgb(120, 64, 190),
                                                             Rgb(96, 44, 160), Rgb(30, 12, 50), 1));
        draw_centred(img, q.image, cx + 1, top + 16 - q.image.height() / 2);
        break;
    }
    case Icon::kCups:
        img.draw(cup_picture(1).scaled_up(2), cx - 33, top);
        img.draw(mirrored(cup_picture(2)).scaled_up(2), cx + 1, top);
        break;
    case Icon::kBack: {  // an arrow pointing left
        Shape arrow(img.width(), img.height());
        add_polygon(arrow, {{cx - 16.0, top + 15.5}, {cx - 2.0, top + 3.0}, {cx - 2.0, top + 10.0}, {cx + 16.0, top + 10.0},
                            {cx + 16.0, top + 21.0}, {cx - 2.0, top + 21.0}, {cx - 2.0, top + 28.0}});
        paint(img, arrow.dilated(1).minus(arrow), Rgb(20, 24, 16));
        paint(img, arrow, [&](int, int y) { return y < top + 14 ? Rgb(250, 248, 236) : Rgb(222, 216, 196); });
        break;
    }
    }
}

// A button filling the area from (qx, qy), qw wide and 96 high: a quadrant by default.
void draw_button(Image& img, const Font& font, const ButtonLook& b, Icon icon, int qx, int qy, int qw = 128) {
    const int x = qx + 5, y = qy + 5, w = qw - 10, h = 86, cx = qx + qw / 2;
    Shape face(img.width(), img.height());
    add_rounded_rect(face, x, y, w, h, 9);
    paint(img, face.dilated(2).minus(face), Rgb(12, 8, 8));  // the slot the button sits in
    paint(img, face, [&](int, int py) { return py < y + 30 ? b.light : py < y + h - 6 ? b.mid : b.dark; });
    Shape top(img.width(), img.height());
    add_rounded_rect(top, x + 3, y + 3, w - 6, h - 12, 7);
    paint(img, top.inner_edge().intersected(face), [&](int, int py) { return py < y + 20 ? b.gleam : b.light; });
    paint(img, face.inner_edge(), b.ink);
    draw_icon(img, font, icon, cx, y + 6);
    TextLook label = look_of(kWhite, Rgb(255, 252, 244), Rgb(250, 240, 220), Rgb(232, 214, 184), b.ink, 2);
    const int size = font.fitting_size(b.label, 21, w - 12, 1.0, 1);
    const StyledText word = styled(font, b.label, size, label, 1.0, 1);
    draw_centred(img, word.image, cx + 1, y + 41);
    TextLook small = look_of(kWhite, Rgb(255, 248, 232), Rgb(255, 248, 232), Rgb(240, 226, 200), b.ink, 1);
    const StyledText detail = styled(font, b.detail, font.fitting_size(b.detail, 11, w - 10), small);
    draw_centred(img, detail.image, cx, y + 67);
}

// --- Character select --------------------------------------------------------------------------

// A tiny picture of the bottom panel, its upper or lower row of portraits lit.
void draw_panel_hint(Image& img, int x, int y, bool upper, Rgb lit) {
    const int w = 40, h = 30;
    img.fill_rect(x - 1, y - 1, w + 2, h + 2, Rgb(14, 10, 10));
    img.fill_rect(x, y, w, h, Rgb(0, 0, 0));
    for (int row = 0; row < 2; ++row)
        for (int k = 0; k < 4; ++k) {
            const bool on = (row == 0) == upper;
            img.fill_rect(x + 1 + 10 * k, y + 1 + 15 * row, 8, 13, on ? lit : Rgb(52, 44, 44));
            if (on) img.fill_rect(x + 1 + 10 * k, y + 1 + 15 * row, 8, 1, mix(lit, kWhite, 0.5));
        }
}

}  // namespace

Image make_title(const Context& ctx) {
    Image img(layout::kPanelW, 120);
    // Steam over the cups, the cups clinking, and the spark between them.
    draw_steam(img, 90, 26, 2, 4, 0.3);
    draw_steam(img, 164, 26, 4, 4, 2.2);
    img.draw(cup_picture(1).scaled_up(3), 74, 20);
    img.draw(mirrored(cup_picture(2)).scaled_up(3), 134, 20);
    draw_spark(img, 128, 26);
    // The word: "cup" in foamy cream, "clash" in hot orange, on one baseline.
    TextLook cup = look_of(kWhite, Rgb(255, 246, 226), Rgb(244, 222, 184), Rgb(214, 176, 126), Rgb(40, 20, 12), 3);
    cup.shadow = Rgb(24, 12, 8);
    cup.shadow_dx = cup.shadow_dy = 3;
    TextLook clash = cup;
    clash.bands = {Rgb(255, 214, 120), Rgb(255, 184, 80), Rgb(250, 140, 50), Rgb(236, 102, 36), Rgb(214, 70, 30),
                   Rgb(176, 44, 24)};
    clash.gleam = Rgb(255, 240, 200);
    const int size = ctx.font.fitting_size("cupclash", 58, 240, 1.0, 1);
    const StyledText word = join_on_baseline(
        {styled(ctx.font, "cup", size, cup, 1.0, 1), styled(ctx.font, "clash", size, clash, 1.0, 1)}, -6);
    draw_centred(img, word.image, 128, 56);
    return img;
}

Image make_swirl(const Context&) {
    Image sheet(layout::kPanelW, layout::kPanelH * kSwirlFrames);
    for (int frame = 0; frame < kSwirlFrames; ++frame) draw_swirl_frame(sheet, frame);
    return sheet;
}

Image make_buttons(const Context& ctx) {
    Image img(layout::kPanelW, layout::kPanelH, Rgb(36, 22, 18));
    for (int y = 0; y < img.height(); y += 8) img.fill_rect(0, y, img.width(), 1, Rgb(30, 18, 15));
    const ButtonLook play{"PLAY", "you vs the computer", Rgb(58, 30, 6), Rgb(176, 100, 22), Rgb(220, 148, 40),
                          Rgb(242, 184, 70), Rgb(255, 226, 150)};
    const ButtonLook watch{"WATCH", "computer vs computer", Rgb(8, 30, 40), Rgb(24, 92, 116), Rgb(40, 130, 156),
                           Rgb(70, 170, 190), Rgb(160, 222, 232)};
    const ButtonLook tutorial{"TUTORIAL", "how to play", Rgb(30, 14, 46), Rgb(84, 46, 140), Rgb(114, 70, 180),
                              Rgb(146, 102, 208), Rgb(206, 180, 244)};
    const ButtonLook versus{"VERSUS", "you vs the computer", Rgb(52, 10, 10), Rgb(150, 34, 34), Rgb(196, 56, 48),
                            Rgb(226, 92, 74), Rgb(255, 170, 150)};
    draw_button(img, ctx.font, play, Icon::kMug, 0, 0);
    draw_button(img, ctx.font, watch, Icon::kEye, 128, 0);
    draw_button(img, ctx.font, tutorial, Icon::kQuestion, 0, 96);
    draw_button(img, ctx.font, versus, Icon::kCups, 128, 96);
    return img;
}

// The title's second page: two wide buttons, each row of the page one choice (room is left for more
// choices beside them).
Image make_modes(const Context& ctx) {
    Image img(layout::kPanelW, layout::kPanelH, Rgb(36, 22, 18));
    for (int y = 0; y < img.height(); y += 8) img.fill_rect(0, y, img.width(), 1, Rgb(30, 18, 15));
    const ButtonLook two{"2 PLAYERS", "two people at one keyboard", Rgb(10, 36, 14), Rgb(40, 110, 48),
                         Rgb(60, 150, 70), Rgb(96, 186, 100), Rgb(180, 236, 170)};
    const ButtonLook back{"BACK", "to the first page", Rgb(34, 28, 22), Rgb(92, 80, 66), Rgb(124, 110, 92),
                          Rgb(156, 142, 122), Rgb(214, 204, 186)};
    draw_button(img, ctx.font, two, Icon::kCups, 0, 0, layout::kPanelW);
    draw_button(img, ctx.font, back, Icon::kBack, 0, 96, layout::kPanelW);
    return img;
}

Image make_character_select_pair(const Context& ctx) {
    Image img = make_bottom_background(ctx);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) img.set(x, y, mix(img.at(x, y), Rgb(16, 10, 10), 0.55));
    const StyledText title = styled(ctx.font, "CHOOSE YOUR", 20, gold_text(2), 1.0, 1);
    const StyledText title2 = styled(ctx.font, "CHARACTERS", 24, gold_text(2), 1.0, 1);
    draw_centred(img, title.image, 128, 6);
    draw_centred(img, title2.image, 128, 28);

    Paragraph words{12, 14, cream_text(1), gold_text(1), false};
    draw_paragraph(img, ctx.font, "*P1, left board: *W *S to pick a row, *E to choose", 14, 62, 228, words);
    draw_paragraph(img, ctx.font, "*P2, right board: *arrows to pick a row, */ to choose", 14, 98, 228, words);

    Paragraph note{11, 13, cream_text(1), gold_text(1), true};
    draw_paragraph(img, ctx.font, "Or click a row: P1 first, then P2. Both may play the same one.", 8, 138, 240, note);
    draw_paragraph(img, ctx.font, "*ESC quits the game", 8, 174, 240, note);
    return img;
}

namespace {

// The character select's top panel, with a note on who plays the other board.
// Against the computer the note is one line, leaving a strip between it and the last line for the
// game to write the computer's strength on.
Image character_select_saying(const Context& ctx, const char* note_text, int note_y, int escape_y,
                              const char* escape_text = "*ESC quits the game") {
    Image img = make_bottom_background(ctx);
    // Dim the café so the words stand out.
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) img.set(x, y, mix(img.at(x, y), Rgb(16, 10, 10), 0.55));
    const StyledText title = styled(ctx.font, "CHOOSE YOUR", 20, gold_text(2), 1.0, 1);
    const StyledText title2 = styled(ctx.font, "CHARACTER", 24, gold_text(2), 1.0, 1);
    draw_centred(img, title.image, 128, 6);
    draw_centred(img, title2.image, 128, 28);

    Paragraph words{12, 14, cream_text(1), gold_text(1), false};
    const Rgb ombrelix_lit(120, 170, 230), quorvant_lit(230, 130, 110);
    draw_panel_hint(img, 22, 64, true, ombrelix_lit);
    draw_paragraph(img, ctx.font, "Click the *upper row to play *OMBRELIX", 72, 64, 170, words);
    draw_panel_hint(img, 22, 104, false, quorvant_lit);
    draw_paragraph(img, ctx.font, "Click the *lower row to play *QUORVANT", 72, 104, 170, words);

    Paragraph note{11, 13, cream_text(1), gold_text(1), true};
    draw_paragraph(img, ctx.font, note_text, 8, note_y, 240, note);
    draw_paragraph(img, ctx.font, escape_text, 8, escape_y, 240, note);
    return img;
}

}  // namespace

Image make_character_select(const Context& ctx) {
    return character_select_saying(ctx, "The computer plays the other one.", 136, 176);
}

Image make_watch_select(const Context& ctx) {
    return character_select_saying(ctx, "The portraits are below. The computer plays both boards.", 142, 174);
}

Image make_online_select(const Context& ctx) {
    return character_select_saying(ctx, "The portraits are below. The other player chooses on their machine.", 142, 174,
                                   "*ESC goes back to the title");
}

namespace {

// A screen of both panels over the café, dimmed (the lower panel more, under a table), its title at
// the top.
Image dimmed_screen(const Context& ctx, const char* title_text) {
    Image img(256, 384, Rgb(0, 0, 0));
    const Image back = make_bottom_background(ctx);
    for (int y = 0; y < 384; ++y)
        for (int x = 0; x < 256; ++x) img.set(x, y, mix(back.at(x, y % 192), Rgb(16, 10, 10), y < 192 ? 0.55 : 0.75));
    const StyledText title = styled(ctx.font, title_text, 28, gold_text(2), 1.0, 1);
    draw_centred(img, title.image, 128, 10);
    return img;
}

}  // namespace

Image make_records_screen(const Context& ctx) {
    Image img = dimmed_screen(ctx, "RECORDS");
    Paragraph note{11, 13, cream_text(1), gold_text(1), true};
    draw_paragraph(img, ctx.font, "The ten best matches against the computer at each strength", 8, 52, 240, note);
    draw_paragraph(img, ctx.font, "*LEFT *RIGHT: another strength", 8, 138, 240, note);
    draw_paragraph(img, ctx.font, "*ESC or *Z: back to the title", 8, 156, 240, note);
    // The table: column heads, then ten rows of 16 pixels from y 192 + 24.
    const int heads_x[] = {8, 40, 78, 112, 150, 212};
    const char* heads[] = {"#", "SCORE", "WON", "CHAIN", "WHO", "DATE"};
    for (int k = 0; k < 6; ++k) {
        const StyledText head = styled(ctx.font, heads[k], 9, gold_text(1));
        draw_centred(img, head.image, heads_x[k], 196);
    }
    for (int row = 0; row < 10; ++row)
        for (int y = 216 + 16 * row; y < 216 + 16 * row + 15; ++y)
            for (int x = 2; x < 254; ++x)
                img.set(x, y, mix(img.at(x, y), row % 2 ? Rgb(60, 40, 28) : Rgb(36, 24, 18), 0.7));
    return img;
}

Image make_keys_screen(const Context& ctx) {
    Image img = dimmed_screen(ctx, "KEYS");
    Paragraph note{11, 13, cream_text(1), gold_text(1), true};
    draw_paragraph(img, ctx.font, "*UP *DOWN: an action, *Z: change its key, then press the new key", 8, 48, 240, note);
    draw_paragraph(img, ctx.font, "*LEFT *RIGHT: whose keys", 8, 78, 240, note);
    draw_paragraph(img, ctx.font, "*ESC: back to the title", 8, 172, 240, note);
    // Six rows of 28 pixels from y 192 + 8: the action's name on the left half.
    const char* actions[] = {"UP", "DOWN", "LEFT", "RIGHT", "ROWS / COLUMNS", "BREAK"};
    for (int row = 0; row < 6; ++row) {
        const int top = 200 + 28 * row;
        for (int y = top; y < top + 26; ++y)
            for (int x = 8; x < 248; ++x) img.set(x, y, mix(img.at(x, y), row % 2 ? Rgb(60, 40, 28) : Rgb(36, 24, 18), 0.7));
        const StyledText name = styled(ctx.font, actions[row], 11, cream_text(1));
        draw_centred(img, name.image, 72, top + 7);
    }
    return img;
}

Image make_menu_text(const Context& ctx) {
    const char* const labels[] = {"RESUME", "QUIT", "MUSIC", "SOUND FX"};
    Image sheet(120, 96);
    // The selected label is drawn full size over its neighbours drawn at half size, 12 pixels
    // apart: kept within 15 rows it leaves them whole. Wide letters with a 2-pixel outline still
    // read at half size, where every other row and column is dropped.
    TextLook look = cream_text(2);
    look.shadow_dx = look.shadow_dy = 1;
    for (int k = 0; k < 4; ++k) {
        int size = 18;
        while (size > 8 && (styled(ctx.font, labels[k], size, look, 1.15, 1).image.height() > 15 ||
                            styled(ctx.font, labels[k], size, look, 1.15, 1).image.width() > 116))
            --size;
        const StyledText text = styled(ctx.font, labels[k], size, look, 1.15, 1);
        sheet.draw(text.image, (120 - text.image.width()) / 2, 24 * k + (24 - text.image.height()) / 2);
    }
    return sheet;
}

}  // namespace assetgen
