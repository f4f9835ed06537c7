// 24-bit PCX files (three colour planes per scanline, run-length encoded), as the game loads them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.hpp"

namespace assetgen {

std::vector<std::uint8_t> encode_pcx(const Image& image);
void write_pcx(const std::string& path, const Image& image);

}  // namespace assetgen
