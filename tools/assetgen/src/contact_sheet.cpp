#include "contact_sheet.hpp"

#include <algorithm>
#include <map>

#include "preview.hpp"

namespace assetgen {

namespace {

constexpr Rgb kCheckLight{62, 62, 68};
constexpr Rgb kCheckDark{50, 50, 56};
constexpr int kMargin = 16;
constexpr int kColumnHeight = 1200;
constexpr int kLabelGap = 4;

struct Entry {
    std::string label;
    Image image;  // already enlarged, mask shown as a checkerboard
};

// Small sheets are enlarged more, so that single pixels can be judged.
int enlargement(const Image& image) {
    if (image.width() <= 80 && image.height() <= 80) return 4;
    if (image.width() <= 512 && image.height() * 2 <= kColumnHeight) return 2;
    return 1;
}

Image on_checkerboard(const Image& picture, int factor) {
    Image big = picture.scaled_up(factor);
    const int square = 4 * factor;
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x)
            if (big.is_mask(x, y)) big.set(x, y, ((x / square + y / square) & 1) ? kCheckDark : kCheckLight);
    return big;
}

}  // namespace

Image make_contact_sheet(const std::vector<NamedPicture>& pictures, const Font& font) {
    std::vector<Entry> entries;
    std::map<std::string, const Image*> by_name;
    for (const NamedPicture& p : pictures) by_name[p.file] = &p.image;
    for (const PreviewScreen& screen : preview_screens(by_name))
        entries.push_back({screen.label, on_checkerboard(screen.image, 2)});
    for (const NamedPicture& p : pictures) {
        const int factor = enlargement(p.image);
        Image shown = on_checkerboard(p.image, factor);
        if (shown.height() > kColumnHeight) shown = shown.crop(0, 0, shown.width(), kColumnHeight);
        entries.push_back({p.file + "  " + std::to_string(p.image.width()) + " x " +
                               std::to_string(p.image.height()) + "  (x" + std::to_string(factor) + ")",
                           std::move(shown)});
    }

    // Stack the entries in columns of at most kColumnHeight pixels, left to right.
    struct Placed {
        const Entry* entry;
        int x, y;
    };
    std::vector<Placed> placed;
    int x = kMargin, y = kMargin, column_width = 0, sheet_w = 0, sheet_h = 0;
    const int label_h = kSheetLabelSize + kLabelGap;
    for (const Entry& e : entries) {
        const int label_w = font.render(e.label, kSheetLabelSize).shape.width();
        const int w = std::max(e.image.width(), label_w), h = label_h + e.image.height();
        if (y > kMargin && y + h > kColumnHeight + kMargin) {
            x += column_width + kMargin * 2;
            y = kMargin;
            column_width = 0;
        }
        placed.push_back({&e, x, y});
        column_width = std::max(column_width, w);
        y += h + kMargin * 2;
        sheet_w = std::max(sheet_w, x + column_width + kMargin);
        sheet_h = std::max(sheet_h, y - kMargin);
    }

    Image sheet(sheet_w, sheet_h, kSheetCanvas);
    for (const Placed& p : placed) {
        draw_label(sheet, font, p.entry->label, p.x, p.y);
        sheet.paste(p.entry->image, p.x, p.y + label_h);
    }
    return sheet;
}

}  // namespace assetgen
