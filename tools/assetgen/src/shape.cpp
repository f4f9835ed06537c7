#include "shape.hpp"

#include <algorithm>
#include <cmath>

namespace assetgen {

Shape::Shape(int width, int height)
    : width_(width), height_(height),
      bits_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0) {}

Shape Shape::dilated(int radius, bool round) const {
    Shape out(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            if (!at(x, y)) continue;
            for (int dy = -radius; dy <= radius; ++dy)
                for (int dx = -radius; dx <= radius; ++dx)
                    if (round ? dx * dx + dy * dy <= radius * radius + radius : std::abs(dx) + std::abs(dy) <= radius)
                        out.set(x + dx, y + dy);
        }
    return out;
}

Shape Shape::shifted(int dx, int dy) const {
    Shape out(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (at(x, y)) out.set(x + dx, y + dy);
    return out;
}

Shape Shape::united(const Shape& other) const {
    Shape out = *this;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (other.at(x, y)) out.set(x, y);
    return out;
}

Shape Shape::minus(const Shape& other) const {
    Shape out = *this;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (other.at(x, y)) out.set(x, y, false);
    return out;
}

Shape Shape::intersected(const Shape& other) const {
    Shape out(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (at(x, y) && other.at(x, y)) out.set(x, y);
    return out;
}

Shape Shape::inner_edge() const {
    Shape out(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (at(x, y) && (!at(x - 1, y) || !at(x + 1, y) || !at(x, y - 1) || !at(x, y + 1))) out.set(x, y);
    return out;
}

Shape Shape::opaque_of(const Image& image) {
    Shape out(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!image.is_mask(x, y)) out.set(x, y);
    return out;
}

void add_rect(Shape& s, int x, int y, int w, int h) {
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx) s.set(xx, yy);
}

void add_ellipse(Shape& s, double cx, double cy, double rx, double ry) {
    if (rx <= 0 || ry <= 0) return;
    const int x0 = static_cast<int>(std::floor(cx - rx - 1)), x1 = static_cast<int>(std::ceil(cx + rx + 1));
    const int y0 = static_cast<int>(std::floor(cy - ry - 1)), y1 = static_cast<int>(std::ceil(cy + ry + 1));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
            if (nx * nx + ny * ny <= 1.0) s.set(x, y);
        }
}

void add_circle(Shape& s, double cx, double cy, double r) { add_ellipse(s, cx, cy, r, r); }

void add_polygon(Shape& s, const std::vector<Point>& corners) {
    const std::size_t n = corners.size();
    if (n < 3) return;
    for (int y = 0; y < s.height(); ++y) {
        const double py = y + 0.5;
        std::vector<double> crossings;
        for (std::size_t i = 0; i < n; ++i) {
            const Point a = corners[i], b = corners[(i + 1) % n];
            if ((a.y <= py && b.y > py) || (b.y <= py && a.y > py))
                crossings.push_back(a.x + (py - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
            for (int x = 0; x < s.width(); ++x) {
                const double px = x + 0.5;
                if (px >= crossings[i] && px < crossings[i + 1]) s.set(x, y);
            }
    }
}

void paint(Image& image, const Shape& s, Rgb c, int dx, int dy) {
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.at(x, y)) image.set(x + dx, y + dy, c);
}

void paint(Image& image, const Shape& s, const std::function<Rgb(int, int)>& colour_at, int dx, int dy) {
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.at(x, y)) image.set(x + dx, y + dy, colour_at(x, y));
}

void add_outline(Image& image, Rgb ink, int width) {
    const Shape body = Shape::opaque_of(image);
    paint(image, body.dilated(width).minus(body), ink);
}

bool dither_keep(int x, int y, int level) {
    static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return kBayer[y & 3][x & 3] < level;
}

}  // namespace assetgen
