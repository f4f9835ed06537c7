#include "preview.hpp"

#include "palette.hpp"
#include "shape.hpp"

namespace assetgen {

namespace {

constexpr int kPanelW = 256, kPanelH = 192;

// A board as ten rows of six cells: '.' empty, '1'..'3' a cup, 'a'..'c' a junk cup of type 1..3.
using BoardRows = const char* [10];

const BoardRows kLeftBoard = {
    "......", "......", "..1...", ".32...", "3121.2", "213312", "132231", "321123", "213132", "332211",
};
const BoardRows kRightBoard = {
    "......", "...2..", "..13..", "1.321.", "231123", "312231", "123312", "231321", "bcabca", "cabcab",
};

struct BoardLook {
    const BoardRows* rows;
    int board_x;         // 16 or 144
    int shimmer_type;    // cups of this type show shimmer frame 2
    int super_col, super_row, super_meter;
    int pop_col, pop_row, pop_frame;  // a popping cup, or pop_col -1
};

const Image* find(const std::map<std::string, const Image*>& pictures, const char* name) {
    const auto it = pictures.find(name);
    return it == pictures.end() ? nullptr : it->second;
}

void draw_board(Image& panel, const Image& cups, const Image& pop, const Image& super, const BoardLook& look) {
    Image board(96, 160);
    for (int row = 0; row < 10; ++row)
        for (int col = 0; col < 6; ++col) {
            const char cell = (*look.rows)[row][col];
            if (cell == '.' || (col == look.pop_col && row == look.pop_row)) continue;
            const bool junk = cell >= 'a';
            const int type = junk ? cell - 'a' + 1 : cell - '0';
            const int source_x = junk ? 64 : type == look.shimmer_type ? 32 : 0;
            board.blit(cups, source_x, 16 * type, 16 * col, 16 * row, 16, 16);
            if (col == look.super_col && row == look.super_row)
                board.masked_blit(super, 8 * look.super_meter, 0, 16 * col + 5, 16 * row + 4, 8, 8);
        }
    if (look.pop_col >= 0) {
        const int type = (*look.rows)[look.pop_row][look.pop_col] - '0';
        board.masked_blit(pop, 32 * look.pop_frame, 32 * (type - 1), 16 * look.pop_col - 8, 16 * look.pop_row - 8,
                          32, 32);
    }
    panel.draw(board, look.board_x, 16);
}

Image top_panel_with_boards(const Image& bg, const Image& cups, const Image& pop, const Image& super) {
    Image panel = bg.crop(0, 0, kPanelW, kPanelH);
    draw_board(panel, cups, pop, super, {&kLeftBoard, 16, 1, 2, 5, 2, 3, 4, 1});
    draw_board(panel, cups, pop, super, {&kRightBoard, 144, 0, 4, 3, 4, -1, 0, 0});
    return panel;
}

Image battle_screen(const std::map<std::string, const Image*>& p) {
    Image top = top_panel_with_boards(*find(p, "bg.pcx"), *find(p, "cups.pcx"), *find(p, "pop.pcx"),
                                      *find(p, "super.pcx"));
    frame_rect(top, 16, 16 + 16 * 6, 16 + 95, 16 + 16 * 6 + 15);  // left cursor: row 6
    frame_rect(top, 144 + 16 * 2, 16, 144 + 16 * 2 + 15, 175);     // right cursor: column 2
    const Image& combo = *find(p, "combotxt.pcx");
    top.masked_blit(combo, 0, 64 * 2, 0, 96, 128, 64);  // chain 3 on the left
    top.masked_blit(combo, 0, 448, 128, 32, 128, 64);   // super on the right
    const Image& super = *find(p, "super.pcx");
    for (int i = 0; i < 3; ++i) top.masked_blit(super, 8 * i, 8, 117, 20 + 16 * i, 8, 8);
    top.masked_blit(super, 0, 16, 131, 20, 8, 8);

    Image bottom = find(p, "char_bg.pcx")->crop(0, 0, kPanelW, kPanelH);
    draw_balance_bar(bottom, 22);
    draw_score(bottom, *find(p, "numbers.pcx"), 4250, 8, 8);
    draw_score(bottom, *find(p, "numbers.pcx"), 1987, 152, 8);

    Image screen(kPanelW, kPanelH * 2);
    screen.paste(top, 0, 0);
    screen.paste(bottom, 0, kPanelH);
    return in_16_bit(screen);
}

Image intro_screen(const std::map<std::string, const Image*>& p) {
    Image top = find(p, "bg.pcx")->crop(0, 0, kPanelW, kPanelH);
    const Image& words = *find(p, "roundtxt.pcx");
    top.masked_blit(words, 0, 0, 64, 32, 128, 64);
    top.masked_blit(words, 0, 64 * 3, 64, 96, 128, 64);
    return in_16_bit(top);
}

Image result_screen(const std::map<std::string, const Image*>& p) {
    Image top = top_panel_with_boards(*find(p, "bg.pcx"), *find(p, "cups.pcx"), *find(p, "pop.pcx"),
                                      *find(p, "super.pcx"));
    const Image& banners = *find(p, "winlose.pcx");
    const int half = banners.height() / 2, banner_y = 72;
    top.masked_blit(banners, 0, 0, 0, banner_y, banners.width(), half);
    top.masked_blit(banners, 0, half, 128, banner_y, banners.width(), half);
    return in_16_bit(top);
}

bool has_all(const std::map<std::string, const Image*>& p, std::initializer_list<const char*> names) {
    for (const char* n : names)
        if (!find(p, n)) return false;
    return true;
}

}  // namespace

void draw_score(Image& panel, const Image& numbers, int score, int x, int y) {
    for (int k = 5; k >= 0; --k, score /= 10) panel.masked_blit(numbers, 16 * (score % 10), 0, x + 16 * k, y, 16, 16);
}

void draw_balance_bar(Image& panel, int balance) {
    panel.fill_rect(129 + balance, 24, 192 - (129 + balance) + 1, 9, palette::kWhite);
    panel.fill_rect(64, 24, 128 + balance - 64 + 1, 9, Rgb(0, 0, 0));
    const Rgb grey(128, 128, 128);
    panel.fill_rect(64, 24, 129, 1, grey);
    panel.fill_rect(64, 32, 129, 1, grey);
    panel.fill_rect(64, 24, 1, 9, grey);
    panel.fill_rect(192, 24, 1, 9, grey);
}

void frame_rect(Image& panel, int left, int top, int right, int bottom) {
    for (int inset = 0; inset < 2; ++inset) {
        const int l = left - 2 + inset, t = top - 2 + inset, r = right + 2 - inset, b = bottom + 2 - inset;
        panel.fill_rect(l, t, r - l + 1, 1, palette::kWhite);
        panel.fill_rect(l, b, r - l + 1, 1, palette::kWhite);
        panel.fill_rect(l, t, 1, b - t + 1, palette::kWhite);
        panel.fill_rect(r, t, 1, b - t + 1, palette::kWhite);
    }
}

Image in_16_bit(const Image& image) {
    Image out(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = image.at(x, y);
            const int r = c.r >> 3, g = c.g >> 2, b = c.b >> 3;
            out.set(x, y, Rgb((r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2)));
        }
    return out;
}

std::vector<PreviewScreen> preview_screens(const std::map<std::string, const Image*>& pictures) {
    std::vector<PreviewScreen> out;
    if (has_all(pictures, {"bg.pcx", "cups.pcx", "pop.pcx", "super.pcx", "combotxt.pcx", "char_bg.pcx",
                           "numbers.pcx"}))
        out.push_back({"battle (mock-up, 16-bit)", battle_screen(pictures)});
    if (has_all(pictures, {"bg.pcx", "roundtxt.pcx"})) out.push_back({"round intro (mock-up)", intro_screen(pictures)});
    if (has_all(pictures, {"bg.pcx", "cups.pcx", "pop.pcx", "super.pcx", "winlose.pcx"}))
        out.push_back({"result (mock-up)", result_screen(pictures)});
    return out;
}

void draw_label(Image& sheet, const Font& font, const std::string& text, int x, int y, Rgb colour) {
    paint(sheet, font.render(text, kSheetLabelSize).shape, colour, x, y);
}

}  // namespace assetgen
