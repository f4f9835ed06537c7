// Binary coverage masks and the primitives that fill them. Pictures are built by filling a
// shape and then painting it with a few flat shades, which keeps the look crisp in 16-bit colour.
#pragma once

#include <functional>
#include <vector>

#include "image.hpp"

namespace assetgen {

struct Point {
    double x;
    double y;
};

class Shape {
public:
    Shape() = default;
    Shape(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    bool at(int x, int y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_ && bits_[index(x, y)] != 0;
    }
    void set(int x, int y, bool on = true) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_) bits_[index(x, y)] = on ? 1 : 0;
    }

    // Grows the shape by radius pixels: a rounded brush (a full square for radius 1), or with
    // round false a diamond one.
    Shape dilated(int radius, bool round = true) const;
    Shape shifted(int dx, int dy) const;
    Shape united(const Shape& other) const;
    Shape minus(const Shape& other) const;
    Shape intersected(const Shape& other) const;
    // Pixels of the shape that touch (4-neighbour) a pixel outside it.
    Shape inner_edge() const;

    // Every non-mask pixel of the picture.
    static Shape opaque_of(const Image& image);

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<unsigned char> bits_;
};

// Each primitive turns on the pixels whose centres (x + 0.5, y + 0.5) fall inside the figure.
void add_rect(Shape& s, int x, int y, int w, int h);
void add_ellipse(Shape& s, double cx, double cy, double rx, double ry);
void add_circle(Shape& s, double cx, double cy, double r);
void add_polygon(Shape& s, const std::vector<Point>& corners);

// Paints the shape's pixels, offset by (dx, dy), in one colour or a colour per pixel.
void paint(Image& image, const Shape& s, Rgb c, int dx = 0, int dy = 0);
void paint(Image& image, const Shape& s, const std::function<Rgb(int, int)>& colour_at, int dx = 0,
           int dy = 0);

// Surrounds every opaque pixel of the picture with an outline of the given width (pixels that
// are kMask and lie within width of an opaque one, corners included).
void add_outline(Image& image, Rgb ink, int width = 1);

// Ordered (Bayer 4 × 4) dither: true for the pixels kept at density level/16.
bool dither_keep(int x, int y, int level);

}  // namespace assetgen
