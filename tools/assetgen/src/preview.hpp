// Mock-ups of game screens assembled from the generated pictures the way the game draws them,
// shown in 16-bit colour, so the pictures can be judged together and in place; and the look the
// review sheets share.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "font.hpp"
#include "image.hpp"

namespace assetgen {

struct PreviewScreen {
    std::string label;
    Image image;
};

// What the player sees: every colour reduced to 5-6-5 bits and widened back.
Image in_16_bit(const Image& image);

// The HUD as the game draws it on a bottom panel: a six-digit score with its top-left corner at
// (x, y), and the balance bar at y 24-32, black up to x 128 + balance and white beyond.
void draw_score(Image& panel, const Image& numbers, int score, int x, int y);
void draw_balance_bar(Image& panel, int balance);
// The cursor's white frame, two pixels thick, around the cells from (left, top) to (right, bottom).
void frame_rect(Image& panel, int left, int top, int right, int bottom);

// Screens whose pictures are all present in the map (file name to picture).
std::vector<PreviewScreen> preview_screens(const std::map<std::string, const Image*>& pictures);

// The review sheets: pictures on a dark canvas, each under a label in light grey.
constexpr Rgb kSheetCanvas{34, 34, 38};
constexpr Rgb kSheetLabel{210, 210, 200};
constexpr int kSheetLabelSize = 13;
void draw_label(Image& sheet, const Font& font, const std::string& text, int x, int y, Rgb colour = kSheetLabel);

}  // namespace assetgen
