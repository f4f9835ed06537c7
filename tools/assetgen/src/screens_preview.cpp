#include "screens_preview.hpp"

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
constexpr int kColumns = 4;
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

// The game's credit line in a stand-in for Allegro's built-in font: one letter per 8-pixel
// cell, 8 pixels high, black, centred on x 128 with its top at y 176.
void draw_credit_line(Image& top, const Font& font, const std::string& text) {
    int x = 128 - 4 * static_cast<int>(text.size());
    for (char c : text) {
        if (c != ' ') {
            const TextInk ink = font.render(std::string(1, c), 9, 0.85);
            paint(top, ink.shape, Rgb(0, 0, 0), x + (8 - ink.shape.width()) / 2, 176 + 7 - ink.baseline);
        }
        x += 8;
    }
}

void draw_mouse(Image& bottom, int x, int y) {
    Shape dot(kW, kH);
    add_circle(dot, x + 0.5, y + 0.5, 8.5);
    paint(bottom, dot, Rgb(0, 255, 0));
}

Screen title_screen(const Pictures& p, const Font& font, int frame) {
    Screen s{"title, swirl frame " + std::to_string(frame), picture(p, "swirl.pcx").crop(0, kH * frame, kW, kH),
             picture(p, "buttons.pcx")};
    s.top.draw(picture(p, "title.pcx"), 0, 0);
    draw_credit_line(s.top, font, "a late-night cafe puzzle duel");
    draw_mouse(s.bottom, 70 + frame, 60);
    return s;
}

Screen character_select(const Pictures& p) {
    Screen s{"character select", picture(p, "charsel.pcx"), Image(kW, kH, Rgb(0, 0, 0))};
    const char* const portraits[] = {"ombrelix/portrait.pcx", "quorvant/portrait.pcx"};
    const Rgb stand_in[] = {Rgb(60, 90, 140), Rgb(140, 70, 60)};
    for (int c = 0; c < 2; ++c)
        for (int k = 0; k < 4; ++k) {
            const auto it = p.find(portraits[c]);
            if (it != p.end()) s.bottom.paste(*it->second, 2 + 64 * k, 2 + 96 * c);
            else s.bottom.fill_rect(2 + 64 * k, 2 + 96 * c, 60, 90, stand_in[c]);
        }
    draw_mouse(s.bottom, 150, 130);
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
    std::vector<Screen> screens = {title_screen(p, font, 0), title_screen(p, font, 16), character_select(p)};
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
