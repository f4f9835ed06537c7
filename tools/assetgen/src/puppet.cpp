#include "puppet.hpp"

#include <algorithm>
#include <cmath>

#include "maths.hpp"

namespace assetgen {

void Part::grow(double x, double y) {
    left_ = std::min(left_, x);
    top_ = std::min(top_, y);
    right_ = std::max(right_, x);
    bottom_ = std::max(bottom_, y);
}

Part& Part::ellipse(double cx, double cy, double rx, double ry) {
    pieces_.push_back({0, cx, cy, rx, ry, {}});
    grow(cx - rx, cy - ry);
    grow(cx + rx, cy + ry);
    return *this;
}

Part& Part::capsule(Point a, Point b, double ra, double rb) {
    const double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
    if (len > 0.01) {
        const double nx = -dy / len, ny = dx / len;
        polygon({{a.x + nx * ra, a.y + ny * ra}, {b.x + nx * rb, b.y + ny * rb}, {b.x - nx * rb, b.y - ny * rb},
                 {a.x - nx * ra, a.y - ny * ra}});
    }
    ellipse(a.x, a.y, ra, ra);
    return ellipse(b.x, b.y, rb, rb);
}

Part& Part::polygon(const std::vector<Point>& corners) {
    pieces_.push_back({1, 0, 0, 0, 0, corners});
    for (const Point& p : corners) grow(p.x, p.y);
    return *this;
}

Shape Part::mask(int& x0, int& y0) const {
    constexpr int kRoom = 3;
    x0 = static_cast<int>(std::floor(left_)) - kRoom;
    y0 = static_cast<int>(std::floor(top_)) - kRoom;
    const int w = static_cast<int>(std::ceil(right_)) + kRoom + 1 - x0;
    const int h = static_cast<int>(std::ceil(bottom_)) + kRoom + 1 - y0;
    Shape s(std::max(w, 1), std::max(h, 1));
    for (const Piece& p : pieces_) {
        if (p.kind == 0) {
            add_ellipse(s, p.cx - x0, p.cy - y0, p.rx, p.ry);
            continue;
        }
        std::vector<Point> local;
        for (const Point& c : p.corners) local.push_back({c.x - x0, c.y - y0});
        add_polygon(s, local);
    }
    return s;
}

void draw_part(Image& image, const Part& part, const Shades& shades, int rim) {
    int x0 = 0, y0 = 0;
    const Shape body = part.mask(x0, y0);
    paint(image, body.dilated(1), shades.ink, x0, y0);
    paint(image, body, shades.mid, x0, y0);
    paint(image, body.minus(body.shifted(-rim - 1, -rim - 1)), shades.dark, x0, y0);
    paint(image, body.minus(body.shifted(rim, rim)), shades.light, x0, y0);
}

void draw_patch(Image& image, const Part& part, Rgb colour) {
    int x0 = 0, y0 = 0;
    const Shape body = part.mask(x0, y0);
    paint(image, body, colour, x0, y0);
}

double eased(Ease ease, double t) {
    switch (ease) {
        case Ease::kLinear: return t;
        case Ease::kOut: return 1 - (1 - t) * (1 - t);
        case Ease::kIn: return t * t;
        case Ease::kSmooth: break;
    }
    return t * t * (3 - 2 * t);
}

Point along(Point from, double degrees, double length) {
    const double a = degrees * kPi / 180;
    return {from.x + std::sin(a) * length, from.y + std::cos(a) * length};
}

Point lerp(Point a, Point b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

Point joint_between(Point root, Point tip, double upper, double lower, double bend_x) {
    const double dx = tip.x - root.x, dy = tip.y - root.y;
    const double d = std::max(0.01, std::min(std::hypot(dx, dy), upper + lower - 0.01));
    // Distance along root→tip to the foot of the joint, and the joint's height off that line.
    const double a = (upper * upper - lower * lower + d * d) / (2 * d);
    const double h = std::sqrt(std::max(0.0, upper * upper - a * a));
    const double ux = dx / std::max(0.01, std::hypot(dx, dy)), uy = dy / std::max(0.01, std::hypot(dx, dy));
    // Of the two perpendiculars, take the one on the side of bend_x.
    double px = -uy, py = ux;
    if (px * bend_x < 0 || (px == 0 && py * bend_x > 0)) {
        px = -px;
        py = -py;
    }
    return {root.x + ux * a + px * h, root.y + uy * a + py * h};
}

Point turned(Point p, Point about, double degrees) {
    const double a = degrees * kPi / 180, c = std::cos(a), s = std::sin(a);
    const double dx = p.x - about.x, dy = p.y - about.y;
    return {about.x + dx * c - dy * s, about.y + dx * s + dy * c};
}

std::vector<Point> turned(std::vector<Point> corners, Point about, double degrees) {
    for (Point& p : corners) p = turned(p, about, degrees);
    return corners;
}

std::vector<Point> oval(Point c, double rx, double ry, double degrees) {
    std::vector<Point> out;
    for (int i = 0; i < 24; ++i) {
        const double a = kTwoPi * i / 24;
        out.push_back(turned({c.x + rx * std::cos(a), c.y + ry * std::sin(a)}, c, degrees));
    }
    return out;
}

std::vector<Point> placed(Point origin, double degrees, const std::vector<Point>& corners) {
    std::vector<Point> out;
    for (const Point& p : corners) out.push_back(turned({origin.x + p.x, origin.y + p.y}, origin, degrees));
    return out;
}

void dot(Image& image, double x, double y, Rgb c) {
    image.set(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)), c);
}

void block(Image& image, double x, double y, int w, int h, Rgb c) {
    image.fill_rect(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)), w, h, c);
}

}  // namespace assetgen
