// Sounds in memory and as 16-bit mono RIFF WAV files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

constexpr int kSampleRate = 22050;

// Samples in -1..1 at kSampleRate.
struct Sound {
    std::vector<double> samples;
};

// Rounds to 16-bit, clamping anything beyond full scale.
std::vector<std::int16_t> to_pcm16(const Sound& sound);
std::vector<std::uint8_t> encode_wav(const Sound& sound);
void write_wav(const std::string& path, const Sound& sound);

}  // namespace assetgen
