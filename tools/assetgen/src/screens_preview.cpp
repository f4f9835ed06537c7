#include "screens_preview.hpp"

#include <algorithm>
#include <map>
#include <string>

#include "fail.hpp"
#include "palette.hpp"
#include "preview.hpp"
#include "shape.hpp"

namespace assetgen {

namespace {

constexpr int kW = 256, kH = 192;
constexpr int kScale = 2;
constexpr int kColumns = 6;
constexpr int kMargin = 16;

using Pictures = std::map<std::string, const Image*>;

const Image& picture(const Pictures& p, const std::string& name) {
    const auto it = p.find(name);
    if (it == p.end()) fail("the screens sheet needs " + name);
    return *it->second;
}

struct Screen {
    std::string label;
    Image top, bottom;
};

// The game's words in a stand-in for Allegro's built-in font: one letter per 8-pixel cell, 8
// pixels high, centred on x with its top at y.
void draw_game_text(Image& panel, const Font& font, const std::string& text, int x, int y, Rgb colour) {
    x -= 4 * static_cast<int>(text.size());
    for (char c : text) {
        if (c != ' ') {
            const TextInk ink = font.render(std::string(1, c), 9, 0.85);
            paint(panel, ink.shape, colour, x + (8 - ink.shape.width()) / 2, y + 7 - ink.baseline);
        }
        x += 8;
    }
}

// Words as the game's labels are written: over a one-pixel dark shadow below and to the right.
void draw_game_label(Image& panel, const Font& font, const std::string& text, int x, int y, Rgb colour) {
    draw_game_text(panel, font, text, x + 1, y + 1, Rgb(16, 8, 8));
    draw_game_text(panel, font, text, x, y, colour);
}

// The game's dark box with a brass edge, from (x1, y1) to (x2, y2).
void draw_box(Image& panel, int x1, int y1, int x2, int y2) {
    panel.fill_rect(x1, y1, x2 - x1 + 1, y2 - y1 + 1, Rgb(200, 150, 70));
    panel.fill_rect(x1 + 1, y1 + 1, x2 - x1 - 1, y2 - y1 - 1, Rgb(24, 14, 10));
}

// A line in cream on a box from x1 to x2, as the game's strips are drawn.
constexpr Rgb kCream(255, 236, 190);
void draw_strip(Image& panel, const Font& font, const std::string& text, int x1, int x2, int y) {
    draw_box(panel, x1, y - 4, x2, y + 11);
    draw_game_label(panel, font, text, 128, y, kCream);
}

// A frame two pixels thick, as the game marks a choice.
void draw_frame(Image& panel, int x1, int y1, int x2, int y2, Rgb colour) {
    for (int k = 0; k < 2; ++k) {
        panel.fill_rect(x1 + k, y1 + k, x2 - x1 + 1 - 2 * k, 1, colour);
        panel.fill_rect(x1 + k, y2 - k, x2 - x1 + 1 - 2 * k, 1, colour);
        panel.fill_rect(x1 + k, y1 + k, 1, y2 - y1 + 1 - 2 * k, colour);
        panel.fill_rect(x2 - k, y1 + k, 1, y2 - y1 + 1 - 2 * k, colour);
    }
}
constexpr Rgb kGold(255, 180, 30);

void draw_mouse(Image& bottom, int x, int y) {
    Shape dot(kW, kH);
    add_circle(dot, x + 0.5, y + 0.5, 8.5);
    paint(bottom, dot, Rgb(0, 255, 0));
}

// A page of the title: its buttons, what the hint says of turning the page, whether its first
// button spans the row, and where the mouse stands on that button (clear of its name).
struct TitlePage {
    const char* picture;
    const char* hint;
    bool wide;
    int mouse_x, mouse_y;
};
const TitlePage kTitlePages[] = {{"buttons.pcx", "TAB: 2 PLAYERS", false, 70, 60},
                                 {"modes.pcx", "TAB: BACK  H: HOST  J: JOIN", true, 200, 30}};

// The title on a page at a swirl frame: the logo, the hint box (the keys of the screens beside the
// pages, then how to turn the page) and the credit line over the swirl; the page's buttons with the
// highlight on the first one, and the mouse.
Screen title_screen(const Pictures& p, const Font& font, int page, int frame) {
    const TitlePage& t = kTitlePages[page];
    Screen s{"title, page " + std::to_string(page + 1) + ", swirl frame " + std::to_string(frame),
             picture(p, "swirl.pcx").crop(0, kH * frame, kW, kH), picture(p, t.picture)};
    s.top.draw(picture(p, "title.pcx"), 0, 0);
    const std::string screens_hint = "R: RECORDS   K: KEYS";
    const int w = 8 * static_cast<int>(std::max(screens_hint.size(), std::string(t.hint).size())) + 12;
    draw_box(s.top, 128 - w / 2, 130, 128 + w / 2, 161);
    draw_game_label(s.top, font, screens_hint, 128, 134, kCream);
    draw_game_label(s.top, font, t.hint, 128, 150, kCream);
    draw_game_text(s.top, font, "a late-night cafe duel", 128, 176, Rgb(0, 0, 0));
    draw_frame(s.bottom, 1, 1, t.wide ? kW - 2 : 126, 94, kGold);
    draw_mouse(s.bottom, t.mouse_x + frame, t.mouse_y);
    return s;
}

// Between two people: P1 on the lower row, chosen, and P2 on the upper one, each framed over their
// half of the row in their colour and named.
void draw_two_people(Image& bottom, const Font& font) {
    const struct {
        const char* name;
        int row;
        Rgb colour;
        bool ready;
    } people[] = {{"P1", 1, Rgb(110, 190, 255), true}, {"P2", 0, Rgb(255, 130, 110), false}};
    for (int side = 0; side < 2; ++side) {
        const int x1 = 128 * side, y1 = 96 * people[side].row, cx = x1 + 64;
        draw_frame(bottom, x1, y1, x1 + 127, y1 + 95, people[side].colour);
        bottom.fill_rect(cx - 12, y1 + 2, 24, 11, Rgb(24, 14, 10));
        draw_game_label(bottom, font, people[side].name, cx, y1 + 4, people[side].colour);
        if (!people[side].ready) continue;
        bottom.fill_rect(cx - 24, y1 + 40, 48, 13, Rgb(24, 14, 10));
        draw_game_label(bottom, font, "READY", cx, y1 + 43, Rgb(255, 210, 100));
    }
}

// A character select of one kind: its top picture (against the computer with the strength's strip
// over it), the portraits with the gold highlight on the upper row or the two people's frames, and
// the mouse.
enum class Choosers { against_computer, none_to_set, two_people };

Screen character_select(const Pictures& p, const Font& font, const std::string& label, const char* top,
                        Choosers choosers) {
    Screen s{label, picture(p, top), Image(kW, kH, Rgb(0, 0, 0))};
    const char* const portraits[] = {"ombrelix/portrait.pcx", "quorvant/portrait.pcx"};
    const Rgb stand_in[] = {Rgb(60, 90, 140), Rgb(140, 70, 60)};
    for (int c = 0; c < 2; ++c)
        for (int k = 0; k < 4; ++k) {
            const auto it = p.find(portraits[c]);
            if (it != p.end()) s.bottom.paste(*it->second, 2 + 64 * k, 2 + 96 * c);
            else s.bottom.fill_rect(2 + 64 * k, 2 + 96 * c, 60, 90, stand_in[c]);
        }
    if (choosers == Choosers::against_computer) draw_strip(s.top, font, "<  COMPUTER: NORMAL  >", 40, 216, 158);
    if (choosers == Choosers::two_people) draw_two_people(s.bottom, font);
    else draw_frame(s.bottom, 0, 0, kW - 1, 95, kGold);
    draw_mouse(s.bottom, 150, 60);
    return s;
}

// A screen of both panels from one picture of 256 x 384.
Screen whole_screen(const Pictures& p, const std::string& label, const char* file) {
    const Image& whole = picture(p, file);
    return {label, whole.crop(0, 0, kW, kH), whole.crop(0, kH, kW, kH)};
}

// The records of the normal computer with three matches in the table, as the game writes them.
Screen records_screen(const Pictures& p, const Font& font) {
    Screen s = whole_screen(p, "records (R), three matches", "records.pcx");
    draw_strip(s.top, font, "<  COMPUTER: NORMAL  >", 40, 215, 116);
    const char* const rows[][6] = {{"1", "48250", "3", "6", "OMB", "2026-12-01"},
                                   {"2", "31900", "3", "4", "QUO", "2026-11-28"},
                                   {"3", "12475", "1", "3", "OMB", "2026-12-02"}};
    const int column_x[6] = {8, 40, 78, 112, 150, 212};
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 6; ++k) draw_game_label(s.bottom, font, rows[r][k], column_x[k], 28 + 16 * r, Rgb(255, 248, 232));
    return s;
}

// The keys of one player with the first action highlighted, as the game writes them.
Screen keys_screen(const Pictures& p, const Font& font) {
    Screen s = whole_screen(p, "keys (K), one player", "keys.pcx");
    draw_strip(s.top, font, "<  ONE PLAYER  >", 24, 231, 112);
    const char* const keys[] = {"UP", "DOWN", "LEFT", "RIGHT", "X", "Z"};
    for (int a = 0; a < 6; ++a) draw_game_label(s.bottom, font, keys[a], 188, 8 + 28 * a + 9, Rgb(255, 248, 232));
    draw_frame(s.bottom, 6, 6, 249, 35, kGold);
    return s;
}

// The pause menu over the bottom panel of a battle, as its first pass draws it with `selected`.
Screen pause_menu(const Pictures& p, const Image& battle_bottom, int selected, int volume) {
    Screen s{"pause menu, item " + std::to_string(selected), picture(p, "bg.pcx"), battle_bottom};
    const Image& labels = picture(p, "menutxt.pcx");
    for (int k = 0; k < 4; ++k) {
        if (k == selected) continue;
        // stretch_sprite to half size keeps every other row and column.
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 60; ++x) {
                const Rgb c = labels.at(2 * x, 24 * k + 2 * y);
                if (c != kMask) s.bottom.set(98 + x, 48 + 12 * k + y, c);
            }
    }
    s.bottom.masked_blit(labels, 0, 24 * selected, 68, 42 + 12 * selected, 120, 24);
    if (selected >= 2) {
        s.bottom.fill_rect(68, 108, 121, 13, Rgb(0, 0, 0));
        s.bottom.fill_rect(68, 108, volume * 120 / 255 + 1, 13, palette::kWhite);
        s.bottom.fill_rect(68, 108, 121, 1, palette::kWhite);
        s.bottom.fill_rect(68, 120, 121, 1, palette::kWhite);
        s.bottom.fill_rect(68, 108, 1, 13, palette::kWhite);
        s.bottom.fill_rect(188, 108, 1, 13, palette::kWhite);
    }
    return s;
}

// The left board as the tutorial shows it above each page: rows of '0'..'3'.
using Rows = std::vector<const char*>;
const Rows kPreset1 = {"123123", "231231", "312312", "123123", "231231",
                       "312312", "123123", "231231", "312312", "123123"};
const Rows kPreset2 = {"000000", "010000", "010220", "010220", "010000",
                       "000000", "033330", "000000", "000000", "000000"};
const Rows kPreset3 = {"000000", "000000", "000000", "000000", "000000",
                       "000000", "033020", "022020", "011112", "022332"};

Screen tutorial_page(const Pictures& p, int page) {
    Screen s{"tutorial page " + std::to_string(page), picture(p, "bg.pcx"),
             picture(p, "tuttxt.pcx").crop(0, kH * page, kW, kH)};
    const Rows* rows = page == 0 ? nullptr : page <= 2 ? &kPreset1 : page <= 4 ? &kPreset2 : &kPreset3;
    if (rows) {
        const Image& cups = picture(p, "cups.pcx");
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < 6; ++c)
                if ((*rows)[r][c] != '0') s.top.masked_blit(cups, 0, 16 * ((*rows)[r][c] - '0'), 16 + 16 * c, 16 + 16 * r, 16, 16);
        if (page == 1) frame_rect(s.top, 16, 16 + 16 * 3, 111, 16 + 16 * 3 + 15);
        else if (page == 2) frame_rect(s.top, 16 + 32, 16, 16 + 47, 175);
        else frame_rect(s.top, 16, 16, 111, 175);
    }
    if (page == 4) draw_balance_bar(s.bottom, 0);  // as the game draws it over this page
    return s;
}

}  // namespace

Image make_screens_sheet(const std::vector<NamedPicture>& pictures, const Font& font) {
    Pictures p;
    for (const NamedPicture& n : pictures) p[n.file] = &n.image;
    // The title's pages and the screens it leads to, then the selects of every kind.
    std::vector<Screen> screens = {
        title_screen(p, font, 0, 0),
        title_screen(p, font, 0, 16),
        title_screen(p, font, 1, 8),
        records_screen(p, font),
        keys_screen(p, font),
        character_select(p, font, "character select", "charsel.pcx", Choosers::against_computer),
        character_select(p, font, "select, two people", "charsel2.pcx", Choosers::two_people),
        character_select(p, font, "select, WATCH", "charsel_watch.pcx", Choosers::none_to_set),
        character_select(p, font, "select, online", "charsel_online.pcx", Choosers::none_to_set)};
    // The battle mock-up's bottom panel: characters' wall, scores and balance bar.
    Image battle_bottom(kW, kH);
    for (const PreviewScreen& s : preview_screens(p))
        if (s.image.height() == 2 * kH) battle_bottom = s.image.crop(0, kH, kW, kH);
    screens.push_back(pause_menu(p, battle_bottom, 0, 128));
    screens.push_back(pause_menu(p, battle_bottom, 3, 128));
    for (int page = 0; page < 7; ++page) screens.push_back(tutorial_page(p, page));

    const int cell_w = kW * kScale + kMargin, label_h = kSheetLabelSize + 6, cell_h = label_h + 2 * kH * kScale + kMargin;
    const int rows = (static_cast<int>(screens.size()) + kColumns - 1) / kColumns;
    Image sheet(kMargin + kColumns * cell_w, kMargin + rows * cell_h, kSheetCanvas);
    for (std::size_t i = 0; i < screens.size(); ++i) {
        const int x = kMargin + static_cast<int>(i) % kColumns * cell_w;
        const int y = kMargin + static_cast<int>(i) / kColumns * cell_h;
        draw_label(sheet, font, screens[i].label, x, y);
        Image screen(kW, 2 * kH);
        screen.blit(screens[i].top, 0, 0, 0, 0, kW, kH);
        screen.blit(screens[i].bottom, 0, 0, 0, kH, kW, kH);
        sheet.paste(in_16_bit(screen).scaled_up(kScale), x, y + label_h);
    }
    return sheet;
}

}  // namespace assetgen
