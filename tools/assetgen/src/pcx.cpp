#include "pcx.hpp"

#include "file_io.hpp"

namespace assetgen {

namespace {

void put16(std::vector<std::uint8_t>& out, int v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

// One plane of one scanline: runs of up to 63 equal bytes become a count byte (0xC0 | n) and
// the value; a single byte below 0xC0 stands for itself.
void encode_plane(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& line) {
    std::size_t i = 0;
    while (i < line.size()) {
        std::size_t run = 1;
        while (i + run < line.size() && run < 63 && line[i + run] == line[i]) ++run;
        if (run > 1 || line[i] >= 0xC0) out.push_back(static_cast<std::uint8_t>(0xC0 | run));
        out.push_back(line[i]);
        i += run;
    }
}

}  // namespace

std::vector<std::uint8_t> encode_pcx(const Image& image) {
    const int w = image.width(), h = image.height();
    const int bytes_per_line = (w + 1) & ~1;  // even, as the format asks

    std::vector<std::uint8_t> out;
    out.push_back(10);  // manufacturer
    out.push_back(5);   // version 3.0 with 24-bit support
    out.push_back(1);   // run-length encoding
    out.push_back(8);   // bits per pixel per plane
    put16(out, 0);
    put16(out, 0);
    put16(out, w - 1);
    put16(out, h - 1);
    put16(out, 72);
    put16(out, 72);
    out.insert(out.end(), 48, 0);  // 16-colour palette, unused
    out.push_back(0);              // reserved
    out.push_back(3);              // planes: red, green, blue
    put16(out, bytes_per_line);
    put16(out, 1);  // colour palette
    put16(out, 0);
    put16(out, 0);
    out.insert(out.end(), 54, 0);

    std::vector<std::uint8_t> line(static_cast<std::size_t>(bytes_per_line));
    for (int y = 0; y < h; ++y)
        for (int plane = 0; plane < 3; ++plane) {
            for (int x = 0; x < bytes_per_line; ++x) {
                const Rgb c = image.at(x < w ? x : w - 1, y);
                line[static_cast<std::size_t>(x)] = plane == 0 ? c.r : plane == 1 ? c.g : c.b;
            }
            encode_plane(out, line);
        }
    return out;
}

void write_pcx(const std::string& path, const Image& image) { write_file(path, encode_pcx(image)); }

}  // namespace assetgen
