#include "wav.hpp"

#include <algorithm>
#include <cmath>

#include "file_io.hpp"

namespace assetgen {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void put_tag(std::vector<std::uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

std::vector<std::int16_t> to_pcm16(const Sound& sound) {
    std::vector<std::int16_t> pcm;
    pcm.reserve(sound.samples.size());
    for (double s : sound.samples)
        pcm.push_back(static_cast<std::int16_t>(std::clamp(std::lround(s * 32767.0), -32767L, 32767L)));
    return pcm;
}

std::vector<std::uint8_t> encode_wav(const Sound& sound) {
    const std::vector<std::int16_t> pcm = to_pcm16(sound);
    const std::uint32_t data_bytes = static_cast<std::uint32_t>(pcm.size() * 2);

    std::vector<std::uint8_t> out;
    put_tag(out, "RIFF");
    put32(out, 36 + data_bytes);
    put_tag(out, "WAVE");
    put_tag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, kSampleRate);
    put32(out, kSampleRate * 2);  // bytes per second
    put16(out, 2);                // block align
    put16(out, 16);               // bits per sample
    put_tag(out, "data");
    put32(out, data_bytes);
    for (std::int16_t s : pcm) put16(out, static_cast<std::uint16_t>(s));
    return out;
}

void write_wav(const std::string& path, const Sound& sound) { write_file(path, encode_wav(sound)); }

}  // namespace assetgen
