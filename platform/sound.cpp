#include "platform/sound.h"

#include <cstring>
#include <vector>

#include "platform/files.h"
#include "platform/ticks.h"

uint8_t sfx_volume = 128;
uint8_t music_volume = 128;

std::vector<Effect>* effects_gathered = nullptr;

void play_effect(SAMPLE* sample, int index) {
    if (effects_gathered) {
        effects_gathered->push_back({sample, index});
    } else if (!frames_unseen) {
        start_effect({sample, index});
    }
}

void start_effect(const Effect& effect) {
    if (sfx_volume == 0 || !effect.sample) return;
    play_sample(effect.sample, sfx_volume, effect.index * 128 + 64, normal_speed, 0);
}

namespace {

uint32_t le(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int k = bytes - 1; k >= 0; k--) v = v << 8 | b[at + k];
    return v;
}

constexpr uint16_t pcm_format = 1;

}  // namespace

SAMPLE* read_wav(const char* file) {
    std::vector<uint8_t> b;
    if (!read_game_file(file, &b).empty() || b.size() < 12 || std::memcmp(&b[0], "RIFF", 4) != 0 ||
        std::memcmp(&b[8], "WAVE", 4) != 0)
        return nullptr;
    uint32_t channels = 0, rate = 0, bits = 0;
    for (size_t at = 12; at + 8 <= b.size();) {
        const uint32_t length = le(b, at + 4, 4);
        if (length > b.size() - at - 8) return nullptr;
        const size_t body = at + 8;
        if (std::memcmp(&b[at], "fmt ", 4) == 0 && length >= 16) {
            if (le(b, body, 2) != pcm_format) return nullptr;
            channels = le(b, body + 2, 2);
            rate = le(b, body + 4, 4);
            bits = le(b, body + 14, 2);
        } else if (std::memcmp(&b[at], "data", 4) == 0) {
            if ((channels != 1 && channels != 2) || (bits != 8 && bits != 16) || rate == 0) return nullptr;
            const uint32_t frame = channels * bits / 8, frames = length / frame;
            SAMPLE* s = create_sample(bits, channels == 2, rate, frames);
            if (!s) return nullptr;
            if (bits == 8) {
                std::memcpy(s->data, &b[body], frames * frame);
            } else {  // Allegro keeps 16-bit samples unsigned
                uint16_t* out = static_cast<uint16_t*>(s->data);
                for (uint32_t k = 0; k < frames * channels; k++) out[k] = le(b, body + 2 * k, 2) ^ 0x8000;
            }
            return s;
        }
        at = body + length + (length & 1);  // a part of odd length is followed by a pad byte
    }
    return nullptr;
}
