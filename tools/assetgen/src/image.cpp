#include "image.hpp"

namespace assetgen {

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

void Image::fill(Rgb c) {
    for (Rgb& p : pixels_) p = c;
}

void Image::fill_rect(int x, int y, int w, int h, Rgb c) {
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx) set(xx, yy, c);
}

void Image::blit(const Image& src, int sx, int sy, int dx, int dy, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (src.inside(sx + x, sy + y)) set(dx + x, dy + y, src.at(sx + x, sy + y));
}

void Image::masked_blit(const Image& src, int sx, int sy, int dx, int dy, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Rgb c = src.at(sx + x, sy + y);
            if (c != kMask) set(dx + x, dy + y, c);
        }
}

Image Image::crop(int x, int y, int w, int h) const {
    Image out(w, h);
    out.blit(*this, x, y, 0, 0, w, h);
    return out;
}

Image Image::scaled_up(int factor) const {
    Image out(width_ * factor, height_ * factor);
    for (int y = 0; y < out.height_; ++y)
        for (int x = 0; x < out.width_; ++x) out.set(x, y, at(x / factor, y / factor));
    return out;
}

}  // namespace assetgen
