// A 24-bit picture in memory. Pixels that hold kMask are transparent wherever the game draws
// the picture masked.
#pragma once

#include <vector>

#include "color.hpp"

namespace assetgen {

class Image {
public:
    Image() = default;
    Image(int width, int height, Rgb fill = kMask);

    int width() const { return width_; }
    int height() const { return height_; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Reading outside the picture gives kMask; writing outside is ignored (clipping).
    Rgb at(int x, int y) const { return inside(x, y) ? pixels_[index(x, y)] : kMask; }
    void set(int x, int y, Rgb c) {
        if (inside(x, y)) pixels_[index(x, y)] = c;
    }
    bool is_mask(int x, int y) const { return at(x, y) == kMask; }

    void fill(Rgb c);
    void fill_rect(int x, int y, int w, int h, Rgb c);

    // Copies a w × h area of src at (sx, sy) to (dx, dy); the masked form skips kMask pixels.
    void blit(const Image& src, int sx, int sy, int dx, int dy, int w, int h);
    void masked_blit(const Image& src, int sx, int sy, int dx, int dy, int w, int h);
    // The whole of src with its top-left corner at (dx, dy): masked (draw) or not (paste).
    void draw(const Image& src, int dx, int dy) { masked_blit(src, 0, 0, dx, dy, src.width_, src.height_); }
    void paste(const Image& src, int dx, int dy) { blit(src, 0, 0, dx, dy, src.width_, src.height_); }

    Image crop(int x, int y, int w, int h) const;
    Image scaled_up(int factor) const;

    const std::vector<Rgb>& pixels() const { return pixels_; }

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
};

}  // namespace assetgen
