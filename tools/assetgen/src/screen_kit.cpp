#include "screen_kit.hpp"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "palette.hpp"

namespace assetgen {

TextLook cream_text(int ink_width) {
    TextLook look = look_of(Rgb(255, 252, 240), Rgb(255, 246, 222), Rgb(246, 230, 196), Rgb(226, 200, 158),
                            Rgb(28, 18, 14), ink_width);
    if (ink_width == 1) look.bands = {Rgb(255, 248, 228), Rgb(248, 234, 204)};
    return look;
}

TextLook gold_text(int ink_width) {
    using namespace palette;
    TextLook look = look_of(kGoldGleam, kGoldLight, kGoldMid, kGoldDark, kGoldInk, ink_width);
    if (ink_width == 1) look.bands = {kGoldLight, Rgb(250, 200, 90)};
    return look;
}

StyledText styled(const Font& font, const std::string& text, int size, const TextLook& look, double width_factor,
                  int tracking) {
    return stylise(font.render(text, size, width_factor, tracking), look);
}

void draw_centred(Image& image, const Image& picture, int cx, int y) {
    image.draw(picture, cx - picture.width() / 2, y);
}

int draw_paragraph(Image& image, const Font& font, const std::string& text, int x, int y, int width,
                   const Paragraph& look) {
    std::vector<StyledText> words;
    std::istringstream in(text);
    for (std::string word; in >> word;) {
        const bool accent = word[0] == '*';
        words.push_back(styled(font, accent ? word.substr(1) : word, look.size, accent ? look.accent : look.plain));
    }
    // The space between words: about 0.4 em from ink to ink, less what the outline and the
    // shadow already add around each word.
    const int gap = std::max(0, static_cast<int>(std::lround(look.size * 0.4)) - 2 * look.plain.ink_width -
                                    look.plain.shadow_dx);
    const int ascent = static_cast<int>(std::lround(look.size * 0.76)) + look.plain.ink_width;
    int baseline = y + ascent;
    for (std::size_t first = 0; first < words.size();) {
        std::size_t end = first + 1;
        int line_w = words[first].image.width();
        while (end < words.size() && line_w + gap + words[end].image.width() <= width)
            line_w += gap + words[end++].image.width();
        const StyledText line = join_on_baseline({words.begin() + static_cast<long>(first),
                                                  words.begin() + static_cast<long>(end)}, gap);
        const int left = look.centred ? x + (width - line.image.width()) / 2 : x;
        image.draw(line.image, left, baseline - line.baseline);
        baseline += look.line_height;
        first = end;
    }
    return baseline - ascent;
}

void add_rounded_rect(Shape& s, int x, int y, int w, int h, int r) {
    add_rect(s, x + r, y, w - 2 * r, h);
    add_rect(s, x, y + r, w, h - 2 * r);
    for (const auto& [cx, cy] : {std::pair{x + r, y + r}, std::pair{x + w - r, y + r}, std::pair{x + r, y + h - r},
                                 std::pair{x + w - r, y + h - r}})
        add_circle(s, cx, cy, r);
}

int draw_key_cap(Image& image, const Font& font, int x, int y, const std::string& label) {
    const Rgb ink(30, 24, 22), face(226, 216, 196), top(246, 240, 226), side(168, 154, 134);
    const bool arrow = label == "up" || label == "down" || label == "left" || label == "right";
    const TextInk letter = arrow ? TextInk{} : font.render(label, 10);
    const int w = arrow ? 15 : std::max(15, letter.shape.width() + 8), h = 15;
    Shape cap(image.width(), image.height());
    add_rounded_rect(cap, x, y, w, h, 3);
    paint(image, cap.dilated(1).minus(cap), ink);
    paint(image, cap, [&](int, int py) { return py >= y + h - 3 ? side : py <= y + 1 ? top : face; });
    const double cx = x + w / 2.0, cy = y + (h - 3) / 2.0 + 0.5;
    if (arrow) {
        // A solid triangle with a short stem, pointing the key's way.
        const double dx = label == "left" ? -1 : label == "right" ? 1 : 0;
        const double dy = label == "up" ? -1 : label == "down" ? 1 : 0;
        const double px = -dy, py = dx;  // across the arrow
        Shape glyph(image.width(), image.height());
        add_polygon(glyph, {{cx + 4.5 * dx, cy + 4.5 * dy},
                            {cx - 0.5 * dx + 4.5 * px, cy - 0.5 * dy + 4.5 * py},
                            {cx - 0.5 * dx - 4.5 * px, cy - 0.5 * dy - 4.5 * py}});
        add_polygon(glyph, {{cx + 1.5 * px, cy + 1.5 * py},
                            {cx - 1.5 * px, cy - 1.5 * py},
                            {cx - 1.5 * px - 4.5 * dx, cy - 1.5 * py - 4.5 * dy},
                            {cx + 1.5 * px - 4.5 * dx, cy + 1.5 * py - 4.5 * dy}});
        paint(image, glyph, ink);
    } else {
        paint(image, letter.shape, ink, static_cast<int>(std::lround(cx - letter.shape.width() / 2.0)),
              static_cast<int>(std::lround(cy - letter.shape.height() / 2.0)));
    }
    return w;
}

Image mirrored(const Image& image) {
    Image out(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) out.set(image.width() - 1 - x, y, image.at(x, y));
    return out;
}

}  // namespace assetgen
