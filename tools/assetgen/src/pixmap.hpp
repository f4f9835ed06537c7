// Small hand-laid pictures written as rows of characters, one character a pixel, and a legend
// that gives each character its colour. '.' is always transparent (left as it is).
#pragma once

#include <map>
#include <vector>

#include "image.hpp"

namespace assetgen {

using Pixmap = std::vector<const char*>;
using Legend = std::map<char, Rgb>;

// Draws the pixmap with its top-left corner at (x, y). A character missing from the legend
// (other than '.') is a fault in the picture's source and stops the generator.
void draw_pixmap(Image& image, int x, int y, const Pixmap& rows, const Legend& legend);

}  // namespace assetgen
