// A small puppet renderer for the two rivals: a figure is a skeleton of a few joints, posed by a
// handful of numbers, and drawn as flat-shaded parts with a dark 1 px outline, lit from the top
// left. An animation is a table of key poses with move and hold times, eased in between.
#pragma once

#include <vector>

#include "image.hpp"
#include "shape.hpp"

namespace assetgen {

// The outline and three flat shades of one surface.
struct Shades {
    Rgb ink, dark, mid, light;
};

// One part of a figure: figures added in picture coordinates, filled as one surface.
class Part {
public:
    Part& ellipse(double cx, double cy, double rx, double ry);
    Part& circle(Point c, double r) { return ellipse(c.x, c.y, r, r); }
    // A limb from a (radius ra) to b (radius rb), rounded at both ends.
    Part& capsule(Point a, Point b, double ra, double rb);
    Part& polygon(const std::vector<Point>& corners);

    // The pixels covered, as a mask placed at (x0, y0) in the picture, with room for an outline.
    Shape mask(int& x0, int& y0) const;

private:
    struct Piece {
        int kind;  // 0 ellipse, 1 polygon
        double cx, cy, rx, ry;
        std::vector<Point> corners;
    };
    std::vector<Piece> pieces_;
    double left_ = 1e9, top_ = 1e9, right_ = -1e9, bottom_ = -1e9;
    void grow(double x, double y);
};

// Paints the part over what is already there: the outline first, then the shades; the rim toward
// the top left takes the light shade (rim pixels wide), the rim toward the bottom right the dark one.
void draw_part(Image& image, const Part& part, const Shades& shades, int rim = 2);
// The same surface without an outline (a patch inside a part, such as an apron or a cheek).
void draw_patch(Image& image, const Part& part, Rgb colour);

// How a move between two key poses is spread over its frames.
enum class Ease { kSmooth, kLinear, kOut, kIn };
double eased(Ease ease, double t);

// Point helpers for the skeletons.
Point along(Point from, double degrees, double length);  // 0 degrees points down, 90 forward (+x)
Point lerp(Point a, Point b, double t);
Point turned(Point p, Point about, double degrees);  // clockwise on screen (+ leans forward)
std::vector<Point> turned(std::vector<Point> corners, Point about, double degrees);
// An ellipse as a polygon, so that it can be turned.
std::vector<Point> oval(Point c, double rx, double ry, double degrees);
// Corners given relative to an origin, turned about it, in picture coordinates.
std::vector<Point> placed(Point origin, double degrees, const std::vector<Point>& corners);
// Single pixels and small blocks, for faces and details (rounded down to the pixel).
void dot(Image& image, double x, double y, Rgb c);
void block(Image& image, double x, double y, int w, int h, Rgb c);
// The knee or elbow of a two-bone limb from root to tip, bent toward bend_x (+1 forward, -1 back).
Point joint_between(Point root, Point tip, double upper, double lower, double bend_x);

// A timeline of key poses: each key eases from the previous pose in `move` frames, then holds for
// `hold` more. The frames are the poses in order; blend(a, b, t) makes the in-between poses.
template <class Pose>
struct Key {
    Pose pose;
    int move;
    int hold;
    Ease ease = Ease::kSmooth;
};

template <class Pose, class Blend>
std::vector<Pose> frames_of(const std::vector<Key<Pose>>& keys, Blend blend) {
    std::vector<Pose> out;
    const Pose* previous = nullptr;
    for (const Key<Pose>& k : keys) {
        for (int j = 1; previous && j <= k.move; ++j)
            out.push_back(blend(*previous, k.pose, eased(k.ease, static_cast<double>(j) / k.move)));
        for (int j = 0; j < k.hold; ++j) out.push_back(k.pose);
        previous = &k.pose;
    }
    return out;
}

}  // namespace assetgen
