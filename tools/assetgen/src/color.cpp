#include "color.hpp"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

std::uint8_t channel(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

}  // namespace

Rgb mix(Rgb a, Rgb b, double t) {
    return Rgb(channel(a.r + (b.r - a.r) * t), channel(a.g + (b.g - a.g) * t),
               channel(a.b + (b.b - a.b) * t));
}

Rgb desaturated(Rgb c, double amount) {
    const int y = luma(c);
    return mix(c, Rgb(y, y, y), amount);
}

int luma(Rgb c) { return static_cast<int>(std::lround(0.299 * c.r + 0.587 * c.g + 0.114 * c.b)); }

}  // namespace assetgen
