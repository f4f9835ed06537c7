#include "file_io.hpp"

#include <cstdio>

#include "fail.hpp"

namespace assetgen {

void write_file(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) fail("cannot create " + path);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0 || !written) fail("cannot write " + path);
}

}  // namespace assetgen
