// The table of everything the generator makes: one entry per file, with the routine that
// draws or synthesises it. A new picture or sound is one routine and one line here.
#pragma once

#include <string>
#include <vector>

#include "font.hpp"
#include "image.hpp"
#include "wav.hpp"

namespace assetgen {

// What the drawing routines share.
struct Context {
    const Font& font;
};

struct PictureAsset {
    const char* file;
    int width;
    int height;
    Image (*make)(const Context&);
};

struct SoundAsset {
    const char* file;
    Sound (*make)();
    double max_seconds = 0.5;  // effects are short; a cheer or a groan may take longer
};

// A music track, rendered through the General MIDI sound font named at build time.
struct MusicAsset {
    const char* file;
    Sound (*make)(const std::string& sound_font);
};

const std::vector<PictureAsset>& picture_assets();
const std::vector<SoundAsset>& sound_assets();
const std::vector<MusicAsset>& music_assets();

// Name of the review picture written beside the assets.
constexpr const char* kContactSheetFile = "contact_sheet.png";

// What is wrong with a generated picture (wrong size, a colour that the game's 16-bit mode
// would turn into the mask), or an empty string when nothing is.
std::string picture_fault(const PictureAsset& asset, const Image& image);

// What is wrong with a generated sound effect (empty, as long as its maximum or longer, clipped,
// too quiet, a click at either end), or an empty string when nothing is.
std::string sound_fault(const SoundAsset& asset, const Sound& sound);

// What is wrong with a music track (shorter than 45 s or longer than 70 s, peaking above
// -3 dBFS or below -9 dBFS, a drop-out, a click or a jump in level where the loop joins its end
// to its start), or an empty string when nothing is.
std::string music_fault(const MusicAsset& asset, const Sound& sound);

}  // namespace assetgen
