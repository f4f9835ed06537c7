// tuttxt.pcx, 256 × 1344: the seven pages of the tutorial, 256 × 192 each (page k at y 192k),
// shown on the bottom panel while the left board above plays the matching step. Each page is a
// café chalkboard with a title and a few lines, key caps for the keys and the cups themselves.
// The balance bar is drawn by the game over page 4 at x 64-192, y 24-32: that strip stays clear.

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "layout.hpp"
#include "palette.hpp"
#include "pictures.hpp"
#include "screen_kit.hpp"

namespace assetgen {

namespace {

using namespace palette;

constexpr int kPages = 7;
constexpr int kTextX = 12;
constexpr int kTextW = 232;
constexpr Rgb kSlate{36, 50, 46};
constexpr Rgb kSlateSmudge{42, 58, 53};
constexpr Rgb kChalkLine{150, 170, 160};

Paragraph body(bool centred = false) { return {11, 13, cream_text(1), gold_text(1), centred}; }

// The board: dark slate with a few wiped smudges, in a wooden frame.
void draw_chalkboard(Image& img, int y0) {
    const int w = layout::kPanelW, h = layout::kPanelH;
    img.fill_rect(0, y0, w, h, kWoodInk);
    img.fill_rect(1, y0 + 1, w - 2, h - 2, kWoodMid);
    img.fill_rect(1, y0 + 1, w - 2, 1, kWoodGleam);
    img.fill_rect(1, y0 + 1, 1, h - 2, kWoodLight);
    img.fill_rect(2, y0 + h - 3, w - 3, 2, kWoodDark);
    img.fill_rect(w - 3, y0 + 2, 2, h - 3, kWoodDark);
    img.fill_rect(4, y0 + 4, w - 8, h - 8, kWoodInk);
    img.fill_rect(5, y0 + 5, w - 10, h - 10, kSlate);
    for (int k = 0; k < 7; ++k) {
        const int sx = 14 + (k * 71) % 200, sy = y0 + 30 + (k * 47) % 140;
        for (int row = 0; row < 3; ++row)
            for (int x = sx + row * 3; x < sx + 30 - row * 4; ++x)
                if (dither_keep(x, sy + row, 8)) img.set(x, sy + row, kSlateSmudge);
    }
}

int draw_title(Image& img, const Font& font, const std::string& title, int y0) {
    const int size = font.fitting_size(title, 15, kTextW, 1.0, 1);
    const StyledText t = styled(font, title, size, gold_text(2), 1.0, 1);
    draw_centred(img, t.image, 128, y0 + 6);
    return y0 + 6 + t.image.height();
}

// A line that starts with key caps: the keys, then the words beside them.
int draw_key_line(Image& img, const Font& font, const std::vector<std::string>& keys, const std::string& words,
                  int y) {
    int x = kTextX;
    for (const std::string& k : keys) x += draw_key_cap(img, font, x, y, k) + 3;
    const int text_x = kTextX + 40;
    return std::max(y + 19, draw_paragraph(img, font, words, text_x, y + 1, kTextW - 40, body()) + 4);
}

// A piece of board at full size from rows of '1'..'3' ('.' for an empty cell), top-left at
// (x, y): the cups on the counter tiles of the board's well, in a dark rim.
void draw_cups(Image& img, const std::vector<const char*>& rows, int x, int y) {
    const Image tile = counter_tile();
    const int h = 16 * static_cast<int>(rows.size()), w = 16 * static_cast<int>(std::string(rows[0]).size());
    img.fill_rect(x - 1, y - 1, w + 2, h + 2, kWoodInk);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; rows[r][c] != '\0'; ++c) {
            const int cx = x + 16 * c, cy = y + 16 * static_cast<int>(r);
            img.blit(tile, 0, 0, cx, cy, 16, 16);
            if (rows[r][c] != '.') img.draw(cup_picture(rows[r][c] - '0'), cx, cy);
        }
}

// The white two-pixel frame the game draws around the cursor's row or column.
void draw_frame(Image& img, int x, int y, int w, int h) {
    for (int k = 0; k < 2; ++k) {
        img.fill_rect(x - 2 + k, y - 2 + k, w + 4 - 2 * k, 1, kWhite);
        img.fill_rect(x - 2 + k, y + h + 1 - k, w + 4 - 2 * k, 1, kWhite);
        img.fill_rect(x - 2 + k, y - 2 + k, 1, h + 4 - 2 * k, kWhite);
        img.fill_rect(x + w + 1 - k, y - 2 + k, 1, h + 4 - 2 * k, kWhite);
    }
}

// A chalk arrow from (x0, y) to (x1, y), pointing right when x1 > x0.
void draw_chalk_arrow(Image& img, int x0, int x1, int y) {
    const int dir = x1 > x0 ? 1 : -1;
    for (int x = x0; x != x1; x += dir) img.fill_rect(x, y, 1, 2, kChalkLine);
    for (int k = 1; k <= 3; ++k) {
        img.fill_rect(x1 - dir * k, y - k, 1, 2, kChalkLine);
        img.fill_rect(x1 - dir * k, y + k, 1, 2, kChalkLine);
    }
}

// --- The pages -------------------------------------------------------------------------------

void page_welcome(Image& img, const Font& font, int y0) {
    int y = draw_title(img, font, "WELCOME TO CUPCLASH", y0);
    y = draw_paragraph(img, font,
                       "Two rivals, two boards of cups. Line up cups of one kind and break them to win the round.",
                       kTextX, y + 6, kTextW, body(true));
    const char* const names[] = {"mug", "glass", "teacup"};
    for (int type = 1; type <= 3; ++type) {
        const int cx = 128 + (type - 2) * 64;
        img.draw(cup_picture(type).scaled_up(2), cx - 16, y + 6);
        const StyledText name = styled(font, names[type - 1], 11, cream_text(1));
        draw_centred(img, name.image, cx, y + 48 - name.baseline);
    }
    draw_paragraph(img, font, "Your board will appear above and play each step for you. Watch it while you read.",
                   kTextX, y + 62, kTextW, body(true));
}

void page_move(Image& img, const Font& font, int y0) {
    int y = draw_title(img, font, "MOVE AND SLIDE", y0) + 4;
    y = draw_paragraph(img, font, "The *white *frame on your board marks a row.", kTextX, y, kTextW, body()) + 4;
    y = draw_key_line(img, font, {"up", "down"}, "move the frame up or down", y);
    y = draw_key_line(img, font, {"left", "right"}, "slide the framed row one cup left or right", y);
    // A row sliding right: the cup pushed off the right end comes back on the left.
    const int rx = 80, ry = y + 8;
    draw_cups(img, {"312312"}, rx, ry);
    draw_frame(img, rx, ry, 96, 16);
    draw_chalk_arrow(img, rx + 104, rx + 118, ry + 7);
    img.fill_rect(rx + 104, ry + 7, 2, 16, kChalkLine);
    img.fill_rect(rx - 14, ry + 22, 120, 2, kChalkLine);
    img.fill_rect(rx - 14, ry + 7, 2, 16, kChalkLine);
    draw_chalk_arrow(img, rx - 14, rx - 5, ry + 7);
    draw_paragraph(img, font, "It wraps round: the cup pushed off one end comes back at the other.", kTextX, ry + 30,
                   kTextW, body(true));
}

void page_column(Image& img, const Font& font, int y0) {
    int y = draw_title(img, font, "X: ROW OR COLUMN", y0) + 4;
    const int narrow = kTextW - 40;
    draw_key_cap(img, font, kTextX, y, "X");
    y = std::max(y + 19, draw_paragraph(img, font, "switches the frame between a row and a column.", kTextX + 40,
                                        y + 1, narrow - 40, body()) + 4);
    y = draw_paragraph(img, font, "In *column *mode:", kTextX, y, narrow, body()) + 4;
    Paragraph keys = body();
    for (const auto& [k1, k2, words] :
         {std::tuple{"left", "right", "move the frame to the next column"},
          std::tuple{"up", "down", "slide the framed column one cup up or down. It wraps round too."}}) {
        draw_key_cap(img, font, kTextX, y, k1);
        draw_key_cap(img, font, kTextX + 18, y, k2);
        y = std::max(y + 19, draw_paragraph(img, font, words, kTextX + 40, y + 1, narrow - 40, keys) + 4);
    }
    // A framed column on the right.
    const int cx = 220, cy = y0 + 34;
    draw_cups(img, {"1", "2", "3", "1", "2", "3", "1"}, cx, cy);
    draw_frame(img, cx, cy, 16, 112);
}

void page_shapes(Image& img, const Font& font, int y0) {
    int y = draw_title(img, font, "THREE SHAPES BREAK", y0) + 4;
    y = draw_paragraph(img, font, "Cups of one kind break like this:", kTextX, y, kTextW, body(true)) + 6;
    draw_cups(img, {"1", "1", "1", "1"}, 40, y);
    draw_cups(img, {"22", "22"}, 112, y + 16);
    draw_cups(img, {"3333"}, 168, y + 24);
    Paragraph label = body(true);
    const int ly = y + 70;
    draw_paragraph(img, font, "four in a column", 8, ly, 80, label);
    draw_paragraph(img, font, "a 2 x 2 square", 88, ly, 80, label);
    draw_paragraph(img, font, "four in a row", 160, ly, 80, label);
    draw_paragraph(img, font, "The board above holds one of each. Nothing breaks until you press *Z.", kTextX, ly + 32,
                   kTextW, body(true));
}

void page_break(Image& img, const Font& font, int y0) {
    int y = draw_title(img, font, "Z BREAKS THEM", y0);
    // Names at both ends of the balance bar, which the game draws at x 64-192, y 24-32.
    const StyledText you = styled(font, "YOU", 11, gold_text(1));
    const StyledText rival = styled(font, "RIVAL", 11, cream_text(1));
    img.draw(you.image, 60 - you.image.width(), y0 + 22);
    img.draw(rival.image, 197, y0 + 22);
    draw_chalk_arrow(img, 112, 146, y0 + 37);
    y = std::max(y, y0 + 44);
    y = draw_key_line(img, font, {"Z"}, "breaks every shape on your board: the cups pop, one shape after another, "
                                        "and every cup scores.", y);
    y = draw_paragraph(img, font,
                       "Each cup you break pushes the bar toward your rival. Push it all the way to their end to "
                       "*win *the *round. Your rival's breaks push it back.",
                       kTextX, y + 2, kTextW, body()) + 6;
    draw_paragraph(img, font, "Then the cups above fall and the empty rows fill up again.", kTextX, y, kTextW, body());
}

void page_setup(Image& img, const Font& font, int y0) {
    int y = draw_title(img, font, "SET UP A CHAIN", y0) + 4;
    // The bottom four rows of the board above, the only shape in them marked.
    const int bx = 148, by = y + 2;
    draw_cups(img, {".33.2.", ".22.2.", ".11112", ".22332"}, bx, by);
    const StyledText mark = styled(font, "\u25B6", 10, gold_text(1));
    img.draw(mark.image, bx - mark.image.width() - 1, by + 40 - mark.image.height() / 2);
    const int text_w = bx - 14 - kTextX;
    y = draw_paragraph(img, font, "Only one shape is ready: the *four *mugs.", kTextX, y, text_w, body()) + 5;
    y = draw_paragraph(img, font, "But see what waits above them...", kTextX, y, text_w, body());
    draw_paragraph(img, font,
                   "When cups break, the cups above fall, and each time the board settles it looks for new "
                   "shapes by itself.",
                   kTextX, std::max(y, by + 64) + 8, kTextW, body(true));
}

void page_chain(Image& img, const Font& font, const Image& cups, int y0) {
    int y = draw_title(img, font, "CHAIN!", y0) + 4;
    // The four waves of the board above, left to right.
    struct Wave {
        std::vector<const char*> rows;
        int w;
    };
    const Wave waves[] = {{{"1111"}, 64}, {{"22", "22"}, 32}, {{"3333"}, 64}, {{"22", "22"}, 32}};
    int x = 14;
    for (int k = 0; k < 4; ++k) {
        const StyledText n = styled(font, std::to_string(k + 1), 12, gold_text(1));
        draw_centred(img, n.image, x + waves[k].w / 2, y);
        const int top = y + 16 + (waves[k].rows.size() == 1 ? 8 : 0);
        draw_cups(img, waves[k].rows, x, top);
        x += waves[k].w;
        if (k < 3) draw_chalk_arrow(img, x + 2, x + 9, y + 31);
        x += 12;
    }
    y += 52;
    y = draw_paragraph(img, font,
                       "*Z breaks the mugs. Falling cups then make a square, a row and a square by "
                       "themselves: a *chain!",
                       kTextX, y, kTextW, body()) + 4;
    y = draw_paragraph(img, font, "Each wave scores more than the last, and a chain drops *junk *cups onto your "
                                  "rival's board:",
                       kTextX, y, kTextW, body()) + 2;
    for (int type = 1; type <= 3; ++type) {
        const int jx = 88 + 20 * type;
        img.fill_rect(jx - 1, y - 1, 18, 18, kWoodInk);
        img.blit(cups, 0, 0, jx, y, 16, 16);
        img.masked_blit(cups, 64, 16 * type, jx, y, 16, 16);
    }
}

}  // namespace

Image make_tutorial_pages(const Context& ctx) {
    Image sheet(layout::kPanelW, layout::kPanelH * kPages);
    for (int k = 0; k < kPages; ++k) draw_chalkboard(sheet, k * layout::kPanelH);
    const Font& f = ctx.font;
    page_welcome(sheet, f, 0);
    page_move(sheet, f, layout::kPanelH);
    page_column(sheet, f, layout::kPanelH * 2);
    page_shapes(sheet, f, layout::kPanelH * 3);
    page_break(sheet, f, layout::kPanelH * 4);
    page_setup(sheet, f, layout::kPanelH * 5);
    page_chain(sheet, f, make_cups(ctx), layout::kPanelH * 6);
    return sheet;
}

}  // namespace assetgen
