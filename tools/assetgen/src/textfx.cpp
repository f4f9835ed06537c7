#include "textfx.hpp"

#include <algorithm>

namespace assetgen {

StyledText stylise(const TextInk& text, const TextLook& look) {
    const int pad = look.ink_width;
    const int w = text.shape.width() + 2 * pad + std::max(0, look.shadow_dx);
    const int h = text.shape.height() + 2 * pad + std::max(0, look.shadow_dy);
    const Shape glyphs = [&] {
        Shape s(w, h);
        for (int y = 0; y < text.shape.height(); ++y)
            for (int x = 0; x < text.shape.width(); ++x)
                if (text.shape.at(x, y)) s.set(x + pad, y + pad);
        return s;
    }();
    const Shape outlined = glyphs.dilated(look.ink_width);

    StyledText out{Image(w, h), text.baseline + pad};
    paint(out.image, outlined.shifted(look.shadow_dx, look.shadow_dy), look.shadow);
    paint(out.image, outlined, look.ink);
    const int top = pad, height = std::max(1, text.shape.height());
    const int bands = static_cast<int>(look.bands.size());
    paint(out.image, glyphs, [&](int, int y) {
        const int band = std::clamp((y - top) * bands / height, 0, bands - 1);
        return look.bands[static_cast<std::size_t>(band)];
    });
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (glyphs.at(x, y) && !glyphs.at(x, y - 1)) out.image.set(x, y, look.gleam);
    return out;
}

TextLook look_of(Rgb gleam, Rgb light, Rgb mid, Rgb dark, Rgb ink, int ink_width) {
    TextLook look;
    look.bands = {light, light, mid, mid, mid, dark};
    look.gleam = gleam;
    look.ink = ink;
    look.ink_width = ink_width;
    look.shadow = mix(ink, dark, 0.3);
    look.shadow_dx = ink_width >= 2 ? 2 : 1;
    look.shadow_dy = ink_width >= 2 ? 2 : 1;
    return look;
}

void place_centred(Image& sheet, const Image& picture, int x, int y, int w, int h) {
    sheet.draw(picture, x + (w - picture.width()) / 2, y + (h - picture.height()) / 2);
}

StyledText join_on_baseline(const std::vector<StyledText>& pieces, int gap) {
    int above = 0, below = 0, width = 0;
    for (const StyledText& p : pieces) {
        above = std::max(above, p.baseline);
        below = std::max(below, p.image.height() - p.baseline);
        width += p.image.width();
    }
    width += gap * (static_cast<int>(pieces.size()) - 1);
    StyledText out{Image(width, above + below), above};
    int x = 0;
    for (const StyledText& p : pieces) {
        out.image.draw(p.image, x, above - p.baseline);
        x += p.image.width() + gap;
    }
    return out;
}

}  // namespace assetgen
