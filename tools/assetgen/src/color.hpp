// Colours of the generated pictures: 24-bit RGB, with pure magenta reserved as the mask.
#pragma once

#include <cstdint>

namespace assetgen {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    constexpr Rgb() = default;
    constexpr Rgb(int red, int green, int blue)
        : r(static_cast<std::uint8_t>(red)), g(static_cast<std::uint8_t>(green)),
          b(static_cast<std::uint8_t>(blue)) {}
};

constexpr bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
constexpr bool operator!=(Rgb a, Rgb b) { return !(a == b); }

// The transparent colour of every masked drawing in the game.
constexpr Rgb kMask{255, 0, 255};

// True when the game, which shows pictures in 16-bit 5-6-5 colour, would turn c into the mask
// colour. Only kMask itself may do so.
constexpr bool quantises_to_mask(Rgb c) { return c.r >= 248 && c.g < 4 && c.b >= 248; }

// Linear blend from a (t = 0) to b (t = 1), rounded to the nearest value.
Rgb mix(Rgb a, Rgb b, double t);

// Moves c toward its own grey level by amount (0 = unchanged, 1 = grey).
Rgb desaturated(Rgb c, double amount);

// Perceived brightness 0..255 (Rec. 601 weights).
int luma(Rgb c);

}  // namespace assetgen
