// 8-bit PNG files: RGB for the review sheets that show every generated picture at once, RGBA
// with the mask colour made transparent for the desktop icon.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.hpp"

namespace assetgen {

std::vector<std::uint8_t> encode_png(const Image& image, bool mask_transparent = false);
void write_png(const std::string& path, const Image& image, bool mask_transparent = false);

}  // namespace assetgen
