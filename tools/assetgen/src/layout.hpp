// Places on the two panels that the pictures are drawn around (256 × 192 each).
#pragma once

namespace assetgen::layout {

constexpr int kPanelW = 256;
constexpr int kPanelH = 192;

// Top panel: the two boards (96 × 160) and the super meter stars between them.
constexpr int kBoardY = 16;
constexpr int kBoardW = 96;
constexpr int kBoardH = 160;
constexpr int kBoardX[2] = {16, 144};
constexpr int kStarX[2] = {117, 131};
constexpr int kStarY0 = 20;  // star i at kStarY0 + 16 i
constexpr int kStarStep = 16;
constexpr int kStars = 4;

// Bottom panel: the scores and the balance bar along the top, the characters below, standing
// with their feet on the floor line.
constexpr int kHudTop = 4;
constexpr int kHudBottom = 36;
constexpr int kFloorY = 170;

}  // namespace assetgen::layout
