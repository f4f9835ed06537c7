// 8-bit RGB PNG files, for the contact sheet that shows every generated picture at once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.hpp"

namespace assetgen {

std::vector<std::uint8_t> encode_png(const Image& image);
void write_png(const std::string& path, const Image& image);

}  // namespace assetgen
