#pragma once

namespace assetgen {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;

}  // namespace assetgen
