#include "assets.hpp"

#include <cmath>

#include "characters.hpp"
#include "pictures.hpp"
#include "sounds.hpp"

namespace assetgen {

const std::vector<PictureAsset>& picture_assets() {
    static const std::vector<PictureAsset> kPictures = {
        {"cups.pcx", 80, 64, make_cups},
        {"pop.pcx", 160, 160, make_pop},
        {"combotxt.pcx", 128, 512, make_combo_text},
        {"roundtxt.pcx", 128, 576, make_round_text},
        {"numbers.pcx", 160, 16, make_numbers},
        {"bg.pcx", 256, 192, make_top_background},
        {"super.pcx", 40, 32, make_super},
        {"winlose.pcx", 128, 96, make_win_lose},
        {"char_bg.pcx", 256, 192, make_bottom_background},
        // The rivals' portraits (their animation sheets: characters.cpp).
        {"ombrelix/portrait.pcx", 60, 90, make_ombrelix_portrait},
        {"quorvant/portrait.pcx", 60, 90, make_quorvant_portrait},
    };
    return kPictures;
}

const std::vector<SoundAsset>& sound_assets() {
    static const std::vector<SoundAsset> kSounds = {
        {"break.wav", make_break_sound},
        {"refill.wav", make_refill_sound},
    };
    return kSounds;
}

std::string picture_fault(const PictureAsset& asset, const Image& image) {
    const std::string name = asset.file;
    if (image.width() != asset.width || image.height() != asset.height)
        return name + " is " + std::to_string(image.width()) + " x " + std::to_string(image.height()) +
               ", not " + std::to_string(asset.width) + " x " + std::to_string(asset.height);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = image.at(x, y);
            if (c != kMask && quantises_to_mask(c))
                return name + " pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                       ") would show as transparent in 16-bit colour";
        }
    return "";
}

std::string sound_fault(const SoundAsset& asset, const Sound& sound) {
    const std::string name = asset.file;
    const std::vector<double>& s = sound.samples;
    if (s.empty()) return name + " is empty";
    if (s.size() >= kSampleRate / 2) return name + " is half a second or longer";
    double peak = 0;
    for (double v : s) peak = std::max(peak, std::abs(v));
    if (peak >= 1.0) return name + " clips";
    if (peak < 0.5) return name + " peaks below -6 dBFS";
    if (std::abs(s.front()) > 0.01 || std::abs(s.back()) > 0.01) return name + " starts or ends with a click";
    return "";
}

}  // namespace assetgen
