// The named colours that tie the pictures together: a warm café interior against cool blue rain.
// Surfaces use two or three flat shades and a near-black outline that carries the surface's hue.
#pragma once

#include "color.hpp"

namespace assetgen::palette {

constexpr Rgb kWhite{255, 255, 255};

// The board well: a dark tiled counter seen through the empty cells.
constexpr Rgb kWellGrout{27, 24, 36};
constexpr Rgb kWellTile{36, 33, 47};
constexpr Rgb kWellSheen{44, 41, 57};
constexpr Rgb kWellFleck{50, 46, 62};

// Warm wood of the café (frames, counter, beams).
constexpr Rgb kWoodInk{30, 17, 14};
constexpr Rgb kWoodDark{62, 36, 26};
constexpr Rgb kWoodMid{92, 56, 36};
constexpr Rgb kWoodLight{124, 80, 50};
constexpr Rgb kWoodGleam{158, 108, 66};

// Warm lamp light.
constexpr Rgb kLampCore{255, 226, 160};
constexpr Rgb kLampGlow{214, 158, 86};
constexpr Rgb kLampDim{132, 88, 50};

// The rainy night outside.
constexpr Rgb kNightDeep{14, 20, 38};
constexpr Rgb kNight{20, 30, 56};
constexpr Rgb kNightHaze{30, 44, 76};
constexpr Rgb kRainFar{44, 62, 98};
constexpr Rgb kRainNear{82, 110, 152};
constexpr Rgb kRainDrop{128, 158, 196};

// Gold of rewards, stars and the winner; cold blue of the loser.
constexpr Rgb kGoldInk{46, 26, 8};
constexpr Rgb kGoldDark{178, 104, 24};
constexpr Rgb kGoldMid{236, 170, 44};
constexpr Rgb kGoldLight{255, 220, 110};
constexpr Rgb kGoldGleam{255, 246, 200};
constexpr Rgb kColdInk{10, 16, 36};
constexpr Rgb kColdDark{40, 70, 130};
constexpr Rgb kColdMid{80, 120, 190};
constexpr Rgb kColdLight{150, 186, 236};
constexpr Rgb kColdGleam{214, 232, 255};

}  // namespace assetgen::palette
