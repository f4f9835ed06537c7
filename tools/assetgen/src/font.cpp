#include "font.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "fail.hpp"

namespace assetgen {

struct Font::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::string path;
};

namespace {

// Coverage at or above this level (of 255) counts as ink.
constexpr int kInkThreshold = 110;

std::vector<char32_t> decode_utf8(const std::string& text) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        char32_t code = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
        for (++i; extra > 0 && i < text.size(); --extra, ++i)
            code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        out.push_back(code);
    }
    return out;
}

}  // namespace

Font::Font(const std::string& path) : impl_(new Impl) {
    impl_->path = path;
    if (FT_Init_FreeType(&impl_->library) != 0) fail("cannot start FreeType");
    if (FT_New_Face(impl_->library, path.c_str(), 0, &impl_->face) != 0) fail("cannot open the font " + path);
}

Font::~Font() {
    FT_Done_Face(impl_->face);
    FT_Done_FreeType(impl_->library);
    delete impl_;
}

TextInk Font::render(const std::string& text, int pixel_size, double width_factor, int tracking) const {
    FT_Face face = impl_->face;
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixel_size)) != 0)
        fail("cannot size the font " + impl_->path);
    FT_Matrix matrix;
    matrix.xx = static_cast<FT_Fixed>(std::lround(width_factor * 65536.0));
    matrix.xy = 0;
    matrix.yx = 0;
    matrix.yy = 0x10000;
    FT_Set_Transform(face, &matrix, nullptr);

    const std::vector<char32_t> codes = decode_utf8(text);
    const int margin = pixel_size;
    const int ascent = static_cast<int>(face->size->metrics.ascender >> 6);
    const int descent = static_cast<int>(-(face->size->metrics.descender >> 6));
    const int canvas_w = margin * 2 + static_cast<int>(codes.size()) * (pixel_size * 2 + tracking);
    const int canvas_h = margin * 2 + ascent + descent;
    const int baseline = margin + ascent;
    Shape canvas(canvas_w, canvas_h);

    long pen = static_cast<long>(margin) * 64;
    FT_UInt previous = 0;
    for (char32_t code : codes) {
        const FT_UInt glyph = FT_Get_Char_Index(face, code);
        if (glyph == 0) fail("the font " + impl_->path + " has no letter for code " + std::to_string(code));
        if (previous != 0 && FT_HAS_KERNING(face)) {
            FT_Vector kern;
            FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &kern);
            pen += static_cast<long>(std::lround(static_cast<double>(kern.x) * width_factor));
        }
        if (FT_Load_Glyph(face, glyph, FT_LOAD_RENDER) != 0) fail("cannot render a letter of " + text);
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        const int left = static_cast<int>(pen >> 6) + slot->bitmap_left;
        const int top = baseline - slot->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row)
            for (unsigned col = 0; col < bitmap.width; ++col)
                if (bitmap.buffer[static_cast<int>(row) * bitmap.pitch + static_cast<int>(col)] >= kInkThreshold)
                    canvas.set(left + static_cast<int>(col), top + static_cast<int>(row));
        pen += slot->advance.x + static_cast<long>(tracking) * 64;
        previous = glyph;
    }
    FT_Set_Transform(face, nullptr, nullptr);

    int x0 = INT_MAX, y0 = INT_MAX, x1 = INT_MIN, y1 = INT_MIN;
    for (int y = 0; y < canvas_h; ++y)
        for (int x = 0; x < canvas_w; ++x)
            if (canvas.at(x, y)) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    if (x0 > x1) return TextInk{Shape(0, 0), 0};
    TextInk ink{Shape(x1 - x0 + 1, y1 - y0 + 1), baseline - y0};
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (canvas.at(x, y)) ink.shape.set(x - x0, y - y0);
    return ink;
}

int Font::fitting_size(const std::string& text, int max_size, int max_width, double width_factor,
                       int tracking) const {
    int size = max_size;
    while (size > 6 && render(text, size, width_factor, tracking).shape.width() > max_width) --size;
    return size;
}

}  // namespace assetgen
