#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

// Writes the bytes to path, replacing the file; fails with the path named on any error.
void write_file(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace assetgen
