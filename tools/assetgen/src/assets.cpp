#include "assets.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "music.hpp"
#include "characters.hpp"
#include "pictures.hpp"
#include "sounds.hpp"
#include "voices.hpp"

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
        // The screens around the battle.
        {"title.pcx", 256, 120, make_title},
        {"swirl.pcx", 256, 6144, make_swirl},
        {"buttons.pcx", 256, 192, make_buttons},
        {"modes.pcx", 256, 192, make_modes},
        {"charsel.pcx", 256, 192, make_character_select},
        {"charsel2.pcx", 256, 192, make_character_select_pair},
        {"charsel_watch.pcx", 256, 192, make_watch_select},
        {"charsel_online.pcx", 256, 192, make_online_select},
        {"menutxt.pcx", 120, 96, make_menu_text},
        {"records.pcx", 256, 384, make_records_screen},
        {"keys.pcx", 256, 384, make_keys_screen},
        {"tuttxt.pcx", 256, 1344, make_tutorial_pages},
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
        // The rivals' hits and voices, in the order of their sfxfiles.txt.
        {"ombrelix/hit1.wav", make_character_sound<kOmbrelix, kHit1>},
        {"ombrelix/hit2.wav", make_character_sound<kOmbrelix, kHit2>},
        {"ombrelix/hit3.wav", make_character_sound<kOmbrelix, kHit3>},
        {"ombrelix/smash.wav", make_character_sound<kOmbrelix, kSmash>, 0.8},
        {"ombrelix/ouch.wav", make_character_sound<kOmbrelix, kOuch>},
        {"ombrelix/ouchhard.wav", make_character_sound<kOmbrelix, kOuchHard>, 0.7},
        {"ombrelix/intro.wav", make_character_sound<kOmbrelix, kIntro>, 1.0},
        {"ombrelix/win.wav", make_character_sound<kOmbrelix, kWin>, 1.5},
        {"ombrelix/lose.wav", make_character_sound<kOmbrelix, kLose>, 1.5},
        {"ombrelix/taunt.wav", make_character_sound<kOmbrelix, kTaunt>},
        {"ombrelix/charge.wav", make_character_sound<kOmbrelix, kCharge>, 0.8},
        {"quorvant/hit1.wav", make_character_sound<kQuorvant, kHit1>},
        {"quorvant/hit2.wav", make_character_sound<kQuorvant, kHit2>},
        {"quorvant/hit3.wav", make_character_sound<kQuorvant, kHit3>},
        {"quorvant/smash.wav", make_character_sound<kQuorvant, kSmash>, 0.8},
        {"quorvant/ouch.wav", make_character_sound<kQuorvant, kOuch>},
        {"quorvant/ouchhard.wav", make_character_sound<kQuorvant, kOuchHard>, 0.7},
        {"quorvant/intro.wav", make_character_sound<kQuorvant, kIntro>, 1.0},
        {"quorvant/win.wav", make_character_sound<kQuorvant, kWin>, 1.5},
        {"quorvant/lose.wav", make_character_sound<kQuorvant, kLose>, 1.5},
        {"quorvant/taunt.wav", make_character_sound<kQuorvant, kTaunt>},
        {"quorvant/charge.wav", make_character_sound<kQuorvant, kCharge>, 0.8},
    };
    return kSounds;
}

const std::vector<MusicAsset>& music_assets() {
    static const std::vector<MusicAsset> kMusic = {
        {"music/utopia.wav", make_utopia_music},
        {"music/delirium.wav", make_delirium_music},
        {"music/indulgence.wav", make_indulgence_music},
    };
    return kMusic;
}

std::string icon_file(int size) {
    const std::string side = std::to_string(size);
    return "icons/" + side + "x" + side + "/apps/cupclash.png";
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
    if (static_cast<double>(s.size()) >= asset.max_seconds * kSampleRate) {
        char limit[32];
        std::snprintf(limit, sizeof limit, "%g", asset.max_seconds);
        return name + " lasts " + limit + " s or longer";
    }
    double peak = 0;
    for (double v : s) peak = std::max(peak, std::abs(v));
    if (peak >= 1.0) return name + " clips";
    if (peak < 0.5) return name + " peaks below -6 dBFS";
    if (std::abs(s.front()) > 0.01 || std::abs(s.back()) > 0.01) return name + " starts or ends with a click";
    return "";
}

std::string music_fault(const MusicAsset& asset, const Sound& sound) {
    const std::string name = asset.file;
    const std::vector<double>& s = sound.samples;
    const double seconds = static_cast<double>(s.size()) / kSampleRate;
    if (seconds < 45 || seconds > 70) return name + " lasts " + std::to_string(seconds) + " s, not 45 to 70 s";
    double peak = 0;
    for (double v : s) peak = std::max(peak, std::abs(v));
    if (peak >= std::pow(10.0, -3.0 / 20)) return name + " peaks above -3 dBFS";
    if (peak < std::pow(10.0, -9.0 / 20)) return name + " peaks below -9 dBFS";

    // Looping, the last sample is followed by the first. What rings over the end must go on at
    // the start: the first 10 ms no quieter than a quarter of the last 10 ms...
    const std::size_t window = kSampleRate / 100;
    const auto rms = [&](std::size_t from) {
        double power = 0;
        for (std::size_t i = from; i < from + window; ++i) power += s[i] * s[i];
        return std::sqrt(power / static_cast<double>(window));
    };
    if (rms(0) < 0.25 * rms(s.size() - window)) return name + " drops out where the loop joins";
    // ...the step from the last sample to the first no bigger than 99 % of the steps between
    // neighbours inside the track...
    std::vector<double> steps;
    for (std::size_t i = 1; i < s.size(); ++i) steps.push_back(std::abs(s[i] - s[i - 1]));
    const auto p99 = steps.begin() + static_cast<long>(steps.size() * 99 / 100);
    std::nth_element(steps.begin(), p99, steps.end());
    if (std::abs(s.front() - s.back()) > *p99) return name + " clicks where the loop joins";
    // ...and the mean level of the 10 ms before the join must lead into the 10 ms after it no
    // more abruptly than between any two neighbouring 10 ms stretches inside.
    const std::size_t count = s.size() / window;
    std::vector<double> means(count);
    for (std::size_t w = 0; w < count; ++w)
        for (std::size_t i = 0; i < window; ++i) means[w] += s[w * window + i] / static_cast<double>(window);
    double largest_inside = 0, tail = 0;
    for (std::size_t w = 1; w < count; ++w) largest_inside = std::max(largest_inside, std::abs(means[w] - means[w - 1]));
    for (std::size_t i = s.size() - window; i < s.size(); ++i) tail += s[i] / static_cast<double>(window);
    if (std::abs(tail - means[0]) > largest_inside) return name + " jumps in level where the loop joins";
    return "";
}

}  // namespace assetgen
