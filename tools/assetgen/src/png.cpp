#include "png.hpp"

#include <zlib.h>

#include "fail.hpp"
#include "file_io.hpp"

namespace assetgen {

namespace {

void put32be(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>((v >> shift) & 0xFF));
}

void put_chunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data) {
    put32be(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
    put32be(out, static_cast<std::uint32_t>(crc));
}

}  // namespace

std::vector<std::uint8_t> encode_png(const Image& image, bool mask_transparent) {
    const int w = image.width(), h = image.height();
    const std::size_t channels = mask_transparent ? 4 : 3;

    std::vector<std::uint8_t> raw;  // each row: filter type 0, then RGB or RGBA pixels
    raw.reserve(static_cast<std::size_t>(h) * (1 + channels * static_cast<std::size_t>(w)));
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);
        for (int x = 0; x < w; ++x) {
            const Rgb c = image.at(x, y);
            const bool clear = mask_transparent && c == kMask;
            raw.push_back(clear ? 0 : c.r);
            raw.push_back(clear ? 0 : c.g);
            raw.push_back(clear ? 0 : c.b);
            if (mask_transparent) raw.push_back(clear ? 0 : 255);
        }
    }
    uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packed_size);
    if (compress2(packed.data(), &packed_size, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK)
        fail("cannot compress a PNG picture");
    packed.resize(packed_size);

    std::vector<std::uint8_t> header;
    put32be(header, static_cast<std::uint32_t>(w));
    put32be(header, static_cast<std::uint32_t>(h));
    header.push_back(8);  // bit depth
    header.push_back(mask_transparent ? 6 : 2);  // colour type: RGBA or RGB
    header.push_back(0);  // deflate
    header.push_back(0);  // adaptive filtering
    header.push_back(0);  // no interlace

    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    put_chunk(out, "IHDR", header);
    put_chunk(out, "IDAT", packed);
    put_chunk(out, "IEND", {});
    return out;
}

void write_png(const std::string& path, const Image& image, bool mask_transparent) {
    write_file(path, encode_png(image, mask_transparent));
}

}  // namespace assetgen
