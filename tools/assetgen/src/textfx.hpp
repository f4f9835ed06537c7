// The look shared by every text picture of the game: flat colour bands, a bright top edge, a
// dark outline and a drop shadow, so that the words stay legible over any background.
#pragma once

#include <vector>

#include "font.hpp"
#include "image.hpp"

namespace assetgen {

struct TextLook {
    std::vector<Rgb> bands;  // fill colours, top to bottom, in equal bands over the ink's height
    Rgb gleam;               // the top pixel of every stroke
    Rgb ink;                 // the outline
    int ink_width = 2;
    Rgb shadow;              // the outlined letters again, offset down and right
    int shadow_dx = 2;
    int shadow_dy = 2;
};

struct StyledText {
    Image image;       // kMask around the letters
    int baseline = 0;  // row of the image on which the letters stand
};

StyledText stylise(const TextInk& text, const TextLook& look);

// A text look from a colour ramp: gleam, light, mid, dark, and the outline.
TextLook look_of(Rgb gleam, Rgb light, Rgb mid, Rgb dark, Rgb ink, int ink_width = 2);

// Centres a styled picture in the area (x, y, w, h) of the sheet.
void place_centred(Image& sheet, const Image& picture, int x, int y, int w, int h);

// Places several styled pieces side by side on a common baseline, gap pixels apart.
StyledText join_on_baseline(const std::vector<StyledText>& pieces, int gap);

}  // namespace assetgen
