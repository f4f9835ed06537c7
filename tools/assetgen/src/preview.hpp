// Mock-ups of game screens assembled from the generated pictures the way the game draws them,
// shown in 16-bit colour, so the pictures can be judged together and in place.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "image.hpp"

namespace assetgen {

struct PreviewScreen {
    std::string label;
    Image image;
};

// What the player sees: every colour reduced to 5-6-5 bits and widened back.
Image in_16_bit(const Image& image);

// Screens whose pictures are all present in the map (file name to picture).
std::vector<PreviewScreen> preview_screens(const std::map<std::string, const Image*>& pictures);

}  // namespace assetgen
