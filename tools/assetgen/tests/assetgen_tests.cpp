// Checks of the art and sound generator: the files it writes decode, with Allegro's own
// loaders, to exactly the pictures and sounds it made; the pictures keep the rules the game
// relies on (sizes, mask colour, tile layouts); the music loops without a seam; and every build
// gives the same bytes.

#include <allegro.h>

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <map>
#include <string>
#include <vector>

#include "assets.hpp"
#include "maths.hpp"
#include "characters.hpp"
#include "pcx.hpp"
#include "pictures.hpp"
#include "png.hpp"
#include "sounds.hpp"
#include "synth.hpp"
#include "voices.hpp"
#include "wav.hpp"

using namespace assetgen;

namespace {

int g_failures = 0;

void check(bool ok, const std::string& what) {
    if (!ok) {
        ++g_failures;
        std::fprintf(stderr, "FAIL: %s\n", what.c_str());
    }
}

// A file in the temporary folder for a file of the game (whose name may hold a folder).
std::string temp_path(std::string name) {
    std::replace(name.begin(), name.end(), '/', '-');
    return (std::filesystem::temp_directory_path() / ("cupclash-assetgen-test-" + name)).string();
}

bool same_image(const Image& a, const Image& b) {
    return a.width() == b.width() && a.height() == b.height() && a.pixels() == b.pixels();
}

// --- Files read back by the game's library ---------------------------------------------------

// Loads a PCX with Allegro at its own depth (24 bits) and returns it as an Image.
Image load_pcx_24(const std::string& path) {
    set_color_conversion(COLORCONV_NONE);
    BITMAP* bmp = load_bitmap(path.c_str(), nullptr);
    if (!bmp) return Image();
    Image out(bmp->w, bmp->h);
    for (int y = 0; y < bmp->h; ++y)
        for (int x = 0; x < bmp->w; ++x) {
            const int c = getpixel(bmp, x, y);
            out.set(x, y, Rgb(getr_depth(24, c), getg_depth(24, c), getb_depth(24, c)));
        }
    destroy_bitmap(bmp);
    return out;
}

// The PCX file loads back with Allegro to the same pixels at its own depth; and as the game loads
// pictures, into 16-bit colour where magenta masks, exactly the kMask pixels become the mask colour.
void check_pcx_file(const std::string& name, const Image& image) {
    const std::string path = temp_path(name + ".pcx");
    write_pcx(path, image);
    check(same_image(load_pcx_24(path), image), name + ": the PCX file does not load back to the same pixels");
    set_color_depth(16);
    set_color_conversion(COLORCONV_TOTAL);
    BITMAP* bmp = load_bitmap(path.c_str(), nullptr);
    std::remove(path.c_str());
    check(bmp && bitmap_color_depth(bmp) == 16, name + ": does not load as a 16-bit picture");
    if (!bmp) return;
    int wrong = 0;
    for (int y = 0; y < bmp->h; ++y)
        for (int x = 0; x < bmp->w; ++x)
            if ((getpixel(bmp, x, y) == MASK_COLOR_16) != image.is_mask(x, y)) ++wrong;
    check(wrong == 0, name + ": " + std::to_string(wrong) + " pixels change transparency in 16-bit colour");
    destroy_bitmap(bmp);
}

void check_wav_round_trip(const std::string& name, const Sound& sound) {
    const std::string path = temp_path(std::filesystem::path(name).filename().string());
    write_wav(path, sound);
    SAMPLE* sample = load_sample(path.c_str());
    std::remove(path.c_str());
    check(sample != nullptr, name + ": Allegro cannot load the WAV file");
    if (!sample) return;
    check(sample->bits == 16 && sample->stereo == 0 && sample->freq == kSampleRate,
          name + ": not 16-bit mono at 22050 Hz");
    const std::vector<std::int16_t> pcm = to_pcm16(sound);
    bool same = sample->len == pcm.size();
    // Allegro keeps 16-bit samples unsigned (offset by 0x8000).
    const auto* data = static_cast<const std::uint16_t*>(sample->data);
    for (std::size_t i = 0; same && i < pcm.size(); ++i) same = data[i] == static_cast<std::uint16_t>(pcm[i] + 0x8000);
    check(same, name + ": the WAV file does not load back to the same samples");
    destroy_sample(sample);
}

// --- PNG, read back with zlib --------------------------------------------------------------

std::uint32_t be32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return (std::uint32_t(b[at]) << 24) | (std::uint32_t(b[at + 1]) << 16) | (std::uint32_t(b[at + 2]) << 8) | b[at + 3];
}

Image decode_png(const std::vector<std::uint8_t>& file) {
    static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || !std::equal(kSignature, kSignature + 8, file.begin())) return Image();
    int w = 0, h = 0;
    std::vector<std::uint8_t> packed;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::uint32_t len = be32(file, at);
        const std::string type(file.begin() + static_cast<long>(at) + 4, file.begin() + static_cast<long>(at) + 8);
        const uLong crc = crc32(0L, file.data() + at + 4, len + 4);
        if (crc != be32(file, at + 8 + len)) return Image();
        if (type == "IHDR") {
            w = static_cast<int>(be32(file, at + 8));
            h = static_cast<int>(be32(file, at + 12));
            if (file[at + 16] != 8 || file[at + 17] != 2) return Image();
        }
        if (type == "IDAT") packed.insert(packed.end(), file.begin() + static_cast<long>(at) + 8,
                                          file.begin() + static_cast<long>(at) + 8 + len);
        at += 12 + len;
    }
    std::vector<std::uint8_t> raw(static_cast<std::size_t>(h) * (1 + 3 * static_cast<std::size_t>(w)));
    uLongf raw_size = raw.size();
    if (uncompress(raw.data(), &raw_size, packed.data(), packed.size()) != Z_OK || raw_size != raw.size()) return Image();
    Image out(w, h);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* row = raw.data() + static_cast<std::size_t>(y) * (1 + 3 * static_cast<std::size_t>(w));
        if (row[0] != 0) return Image();
        for (int x = 0; x < w; ++x) out.set(x, y, Rgb(row[1 + 3 * x], row[2 + 3 * x], row[3 + 3 * x]));
    }
    return out;
}

// --- Picture rules -------------------------------------------------------------------------

bool tile_border_is_mask(const Image& sheet, int x0, int y0, int w, int h) {
    for (int k = 0; k < w; ++k)
        if (!sheet.is_mask(x0 + k, y0) || !sheet.is_mask(x0 + k, y0 + h - 1)) return false;
    for (int k = 0; k < h; ++k)
        if (!sheet.is_mask(x0, y0 + k) || !sheet.is_mask(x0 + w - 1, y0 + k)) return false;
    return true;
}

std::vector<bool> silhouette(const Image& sheet, int x0, int y0, int size) {
    std::vector<bool> s;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) s.push_back(!sheet.is_mask(x0 + x, y0 + y));
    return s;
}

int differing(const std::vector<bool>& a, const std::vector<bool>& b) {
    int n = 0;
    for (std::size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
    return n;
}

double mean_luma(const Image& sheet, int x0, int y0, int size) {
    double sum = 0;
    int n = 0;
    for (int y = y0; y < y0 + size; ++y)
        for (int x = x0; x < x0 + size; ++x)
            if (!sheet.is_mask(x, y)) {
                sum += luma(sheet.at(x, y));
                ++n;
            }
    return n ? sum / n : 0;
}

int mask_pixels(const Image& sheet, int x0, int y0, int w, int h) {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) n += sheet.is_mask(x, y);
    return n;
}

bool tile_has_ink(const Image& sheet, int x0, int y0, int w, int h) { return mask_pixels(sheet, x0, y0, w, h) < w * h; }

void check_cups(const Image& cups) {
    for (int col = 0; col < 5; ++col)
        check(mask_pixels(cups, col * 16, 0, 16, 16) == 0,
              "cups: the empty tile in column " + std::to_string(col) + " is not opaque");
    std::vector<std::vector<bool>> shapes;
    std::vector<double> lumas;
    for (int type = 1; type <= 3; ++type) {
        const std::string t = "cups: type " + std::to_string(type);
        const std::vector<bool> still = silhouette(cups, 0, 16 * type, 16);
        for (int col = 0; col < 5; ++col) {
            check(tile_has_ink(cups, 16 * col, 16 * type, 16, 16), t + " column " + std::to_string(col) + " is empty");
            const int x0 = 16 * col, y0 = 16 * type;
            check(cups.is_mask(x0, y0) && cups.is_mask(x0 + 15, y0) && cups.is_mask(x0, y0 + 15) &&
                      cups.is_mask(x0 + 15, y0 + 15) && mask_pixels(cups, x0, y0, 16, 16) >= 48,
                  t + " column " + std::to_string(col) + ": the cup is not cut out of its tile");
            check(differing(silhouette(cups, 16 * col, 16 * type, 16), still) == 0,
                  t + " column " + std::to_string(col) + " changes the cup's silhouette");
        }
        for (int col = 1; col <= 3; ++col)
            check(!same_image(cups.crop(16 * col, 16 * type, 16, 16), cups.crop(0, 16 * type, 16, 16)),
                  t + ": shimmer frame " + std::to_string(col) + " looks like the still cup");
        shapes.push_back(still);
        lumas.push_back(mean_luma(cups, 0, 16 * type, 16));
    }
    for (int a = 0; a < 3; ++a)
        for (int b = a + 1; b < 3; ++b) {
            const std::string pair = std::to_string(a + 1) + " and " + std::to_string(b + 1);
            check(differing(shapes[static_cast<std::size_t>(a)], shapes[static_cast<std::size_t>(b)]) >= 30,
                  "cups: types " + pair + " have nearly the same silhouette");
            check(std::abs(lumas[static_cast<std::size_t>(a)] - lumas[static_cast<std::size_t>(b)]) >= 12,
                  "cups: types " + pair + " are too close in brightness to tell apart in grey");
        }
}

void check_top_background(const Image& bg, const Image& cups) {
    // The wells repeat the empty tile, so a sliding empty cell blends with the board behind it.
    bool seamless = true;
    for (int side = 0; side < 2; ++side)
        for (int y = 0; y < 160; ++y)
            for (int x = 0; x < 96; ++x)
                seamless = seamless && bg.at((side ? 144 : 16) + x, 16 + y) == cups.at(x % 16, y % 16);
    check(seamless, "bg: the board wells differ from the empty cup tile");
}

bool all_different(const std::vector<Image>& pictures) {
    for (std::size_t a = 0; a < pictures.size(); ++a)
        for (std::size_t b = a + 1; b < pictures.size(); ++b)
            if (same_image(pictures[a], pictures[b])) return false;
    return true;
}

// The n tiles of w x h laid out left to right, then top to bottom: each has ink, keeps off its
// border when `inset` is asked for, and no two are the same picture.
void check_tiles(const Image& sheet, const std::string& name, int n, int w, int h, bool inset) {
    std::vector<Image> seen;
    for (int k = 0; k < n; ++k) {
        const int x = k * w % sheet.width(), y = k * w / sheet.width() * h;
        const std::string s = name + " tile " + std::to_string(k);
        check(tile_has_ink(sheet, x, y, w, h), s + " is empty");
        check(!inset || tile_border_is_mask(sheet, x, y, w, h), s + " touches its edge");
        seen.push_back(sheet.crop(x, y, w, h));
    }
    check(all_different(seen), name + ": two tiles are the same picture");
}

void check_super(const Image& super) {
    for (int col = 0; col < 5; ++col)
        for (int row = 0; row < 4; ++row) {
            if (col == 4 && row == 3) continue;
            const std::string s = "super: star " + std::to_string(col) + "," + std::to_string(row);
            check(tile_has_ink(super, 8 * col, 8 * row, 8, 8), s + " is empty");
            check(mask_pixels(super, 8 * col, 8 * row, 8, 8) >= 16, s + " has no transparent area around the star");
        }
}

void check_banners(const Image& winlose) {
    double warm = 0, cool = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 128; ++x) {
            if (!winlose.is_mask(x, y)) warm += winlose.at(x, y).r - winlose.at(x, y).b;
            if (!winlose.is_mask(x, y + 48)) cool += winlose.at(x, y + 48).b - winlose.at(x, y + 48).r;
        }
    check(warm > 0, "winlose: the winner's banner is not warm");
    check(cool > 0, "winlose: the loser's banner is not cool");
    check(!winlose.is_mask(0, 24) || !winlose.is_mask(64, 24), "winlose: the winner's banner is missing");
    check(winlose.is_mask(0, 0) && winlose.is_mask(127, 95), "winlose: the banners are not cut out");
}

// --- The characters' samples ----------------------------------------------------------------

const SoundAsset* find_sound(const std::string& file) {
    for (const SoundAsset& asset : sound_assets())
        if (file == asset.file) return &asset;
    return nullptr;
}

// Seconds from the start until the sound first reaches -20 dBFS.
double onset_seconds(const Sound& sound) {
    for (std::size_t i = 0; i < sound.samples.size(); ++i)
        if (std::abs(sound.samples[i]) >= 0.1) return static_cast<double>(i) / kSampleRate;
    return 1e9;
}

// The pitch in Hz around the sound's loudest moment: the shortest lag whose autocorrelation
// comes near the best one between 60 and 1000 Hz.
double pitch_hz(const Sound& sound) {
    const std::vector<double>& s = sound.samples;
    std::size_t loudest = 0;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (std::abs(s[i]) > std::abs(s[loudest])) loudest = i;
    const std::size_t window = kSampleRate / 25, min_lag = kSampleRate / 1000, max_lag = kSampleRate / 60;
    const std::size_t from = std::min(loudest > window / 2 ? loudest - window / 2 : 0, s.size() - window - max_lag);
    std::vector<double> r(max_lag + 1, 0.0);
    for (std::size_t lag = min_lag; lag <= max_lag; ++lag)
        for (std::size_t i = from; i < from + window; ++i) r[lag] += s[i] * s[i + lag];
    const double best = *std::max_element(r.begin(), r.end());
    for (std::size_t lag = min_lag + 1; lag < max_lag; ++lag)
        if (r[lag] >= 0.85 * best && r[lag] >= r[lag - 1] && r[lag] >= r[lag + 1]) return double(kSampleRate) / lag;
    return 0;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Each character's sample list names, at entry k, the file the generator makes as its sample k;
// both lists number their samples alike; hits strike at once (their cue is the frame the throw
// lands), cries start within 80 ms; and ombrelix speaks well above quorvant.
void check_character_sounds() {
    const std::string kNames[] = {"ombrelix", "quorvant"};
    std::vector<std::string> numbering[2];
    std::vector<double> pitches[2];
    for (int c : {kOmbrelix, kQuorvant}) {
        const std::string& who = kNames[c];
        std::ifstream file(std::string(CUPCLASH_DATA_DIR) + "/" + who + "/sfxfiles.txt");
        std::vector<std::string> list;
        for (std::string entry; file >> entry;) list.push_back(entry);
        check(list.size() > kCharge && list.size() <= 20, who + "/sfxfiles.txt does not hold 11 to 20 entries");
        for (std::size_t k = 0; k < list.size(); ++k) {
            const SoundAsset* asset = find_sound(list[k]);
            check(asset && list[k].size() <= 29 && list[k].rfind(who + "/", 0) == 0,
                  who + "/sfxfiles.txt names " + list[k] + ", which is not one of its generated samples");
            numbering[c].push_back(list[k].substr(who.size()));
            if (!asset || k > kCharge) continue;
            const Sound sound = asset->make();
            const auto sample = static_cast<CharacterSample>(k);
            check(sound.samples == make_character_sound(c, sample).samples,
                  list[k] + " is not sample " + std::to_string(k));
            check(onset_seconds(sound) < (sample <= kSmash ? 0.005 : 0.08), list[k] + " starts too slowly");
            if (sample > kSmash) pitches[c].push_back(pitch_hz(sound));
        }
    }
    check(numbering[0] == numbering[1], "the two characters number their samples differently");
    check(!pitches[0].empty() && !pitches[1].empty() && median(pitches[0]) > 2 * median(pitches[1]),
          "ombrelix does not speak well above quorvant");
}

// The swirl loops: frame 31 runs into frame 0 as smoothly as any frame into the next; and the
// band behind the black credit line (y 176-183) stays light in every frame.
void check_swirl(const Image& swirl) {
    auto changed = [&](int a, int b) {
        int n = 0;
        for (int y = 0; y < 192; ++y)
            for (int x = 0; x < 256; ++x) n += swirl.at(x, 192 * a + y) != swirl.at(x, 192 * b + y);
        return n;
    };
    int step = 0;
    for (int k = 0; k < 31; ++k) step = std::max(step, changed(k, k + 1));
    check(changed(31, 0) <= step * 3 / 2, "swirl: frame 31 does not run into frame 0");
    check(step > 0, "swirl: the frames do not move");
    int dark = 0;
    for (int k = 0; k < 32; ++k)
        for (int y = 170; y <= 186; ++y)
            for (int x = 0; x < 256; ++x) dark += luma(swirl.at(x, 192 * k + y)) < 180;
    check(dark == 0, "swirl: " + std::to_string(dark) + " dark pixels behind the credit line");
}

// The pause menu draws the selected label full size over its neighbours at half size, 12 rows
// apart: each label's ink must keep within the middle 15 rows of its 24 to leave them whole.
void check_menu_labels(const Image& menu) {
    check_tiles(menu, "menutxt", 4, 120, 24, true);
    for (int k = 0; k < 4; ++k) {
        int top = 24, bottom = -1;
        for (int y = 0; y < 24; ++y)
            if (tile_has_ink(menu, 0, 24 * k + y, 120, 1)) top = std::min(top, y), bottom = y;
        check(top >= 4 && bottom <= 19, "menutxt: label " + std::to_string(k) + " runs into its neighbours");
    }
}

// The game draws the balance bar over tutorial page 4 at x 64-192, y 24-32: no words there.
void check_tutorial_pages(const Image& pages) {
    check_tiles(pages, "tuttxt", 7, 256, 192, false);
    int bright = 0;
    for (int y = 4 * 192 + 23; y <= 4 * 192 + 33; ++y)
        for (int x = 63; x <= 193; ++x) bright += luma(pages.at(x, y)) > 100;
    check(bright == 0, "tuttxt: words under the balance bar of page 4");
}

// --- Encoders on tricky input ----------------------------------------------------------------

void check_pcx_edge_cases() {
    // Odd width (padded scanlines), runs longer than 63, single bytes at and above 0xC0.
    Image tricky(131, 3, Rgb(0xC0, 0xC1, 0xFF));
    for (int x = 0; x < 131; x += 2) tricky.set(x, 1, Rgb(0xC0, x, 0xFF - x));
    tricky.set(130, 2, Rgb(1, 2, 3));
    check_pcx_file("tricky", tricky);
    check_pcx_file("one-pixel", Image(1, 1, Rgb(200, 0, 7)));
}

void check_mask_guard() {
    const PictureAsset asset{"probe.pcx", 2, 1, nullptr};
    Image image(2, 1);
    check(picture_fault(asset, image).empty(), "mask guard: rejects a picture of pure mask");
    image.set(1, 0, Rgb(250, 3, 252));
    check(!picture_fault(asset, image).empty(), "mask guard: misses a colour that turns into the mask in 16 bits");
    image.set(1, 0, Rgb(250, 4, 252));
    check(picture_fault(asset, image).empty(), "mask guard: rejects a colour that stays visible in 16 bits");
    for (const Image& wrong : {Image(3, 1), Image(2, 2)})
        check(!picture_fault(asset, wrong).empty(), "mask guard: misses a wrong size");
}

// A loop of whole periods passes the music check; the same loop cut short (a click at the join),
// drifting up (a jump in level at the join), faded in (a drop-out at the join), too long, too
// loud or silent does not.
void check_music_guard() {
    const MusicAsset asset{"probe.wav", nullptr};
    const auto tone = [](std::size_t length, double level) {
        Sound s{std::vector<double>(length)};
        for (std::size_t i = 0; i < length; ++i)  // periods that divide the length and 10 ms
            s.samples[i] = level * (0.6 * std::cos(kTwoPi * i / 44) + 0.4 * std::cos(kTwoPi * i / 55)) +
                           0.002 * std::cos(kTwoPi * i / 1000);
        return s;
    };
    const std::size_t length = 220 * 5000;  // about 50 s
    const Sound loop = tone(length, 0.5);
    check(music_fault(asset, loop).empty(), "music guard: rejects a seamless loop: " + music_fault(asset, loop));
    Sound cut = tone(length - 13, 0.5), drifting = loop, faded_in = loop;
    for (std::size_t i = 0; i < length; ++i) drifting.samples[i] += 0.02 * static_cast<double>(i) / length;
    fade_in(faded_in, 0.05);
    const std::pair<Sound, const char*> kWrong[] = {{cut, "clicks"},        {drifting, "jumps"}, {faded_in, "drops"},
                                                    {tone(length, 0.8), "above"}, {tone(220 * 7100, 0.5), "lasts"},
                                                    {tone(length, 0), "below"}};
    for (const auto& [sound, fault] : kWrong)
        check(music_fault(asset, sound).find(fault) != std::string::npos,
              std::string("music guard: misses a loop that ") + fault);
}

double dbfs(double level) { return 20 * std::log10(level); }

// The tracks pass the music check, render the same twice, sit well below the effects, differ
// from each other, and each fits in 3 MiB of memory.
void check_music() {
    std::vector<Sound> made;
    for (const MusicAsset& asset : music_assets()) {
        const Sound music = asset.make(CUPCLASH_SOUND_FONT_FILE);
        const std::string name = asset.file;
        check(music_fault(asset, music).empty(), music_fault(asset, music));
        check(asset.make(CUPCLASH_SOUND_FONT_FILE).samples == music.samples, name + " differs between two runs");
        double peak = 0, power = 0;
        for (double v : music.samples) peak = std::max(peak, std::abs(v)), power += v * v;
        const double rms = std::sqrt(power / static_cast<double>(music.samples.size()));
        check(dbfs(peak) > -6.5 && dbfs(peak) < -5.5 && dbfs(rms) < -15, name + " is not mixed well below the effects");
        check(encode_wav(music).size() < 3u << 20, name + " takes 3 MiB or more");
        check_wav_round_trip(name, music);
        for (const Sound& other : made) check(other.samples != music.samples, name + " is the same as another track");
        made.push_back(music);
    }
}

// --- The rivals: their sheets and the hand-written lists in data/ ---------------------------------

// Every sheet keeps the frame grid and the memory budget, and each character's animation and cue
// lists name its sheets, cue frames inside them, chain every move back to idle, and put each
// sample where its role says.
void check_characters() {
    std::map<std::string, int> frames;
    std::map<std::string, std::vector<const Image*>> by_folder;
    std::vector<Image> sheets;
    sheets.reserve(character_sheets().size());
    for (const CharacterSheet& sheet : character_sheets()) {
        sheets.push_back(make_character_sheet(sheet));
        const Image& image = sheets.back();
        check(sheet_fault(sheet.file, image).empty(), sheet_fault(sheet.file, image));
        frames[sheet.file] = image.height() / 192;
        by_folder[sheet.cast->folder].push_back(&image);
        if (sheet.clip->id == 0) check_pcx_file(sheet.file, image);
    }
    for (const auto& [folder, images] : by_folder) check(budget_fault(folder, images).empty(), budget_fault(folder, images));
    check(!sheet_fault("probe", Image(8, 200)).empty() && !sheet_fault("probe", Image(257, 192)).empty() &&
              !budget_fault("probe", std::vector<const Image*>(45, &sheets.front())).empty(),
          "sheet checks: miss a wrong height, a wrong width or a blown budget");

    for (const Cast* cast : the_cast()) {
        const std::string folder = cast->folder, data = std::string(CUPCLASH_DATA_DIR) + "/" + folder;
        std::vector<std::pair<std::string, int>> anims;
        std::ifstream anim_list(data + "/animlist.txt");
        for (std::string file; anim_list >> file;) {
            int next = -1;
            anim_list >> next;
            anims.push_back({file, next});
        }
        const int n = static_cast<int>(anims.size());
        check(n >= 10 && n <= 20, folder + ": the animation list has " + std::to_string(n) + " entries, not 10 to 20");
        for (const Clip& clip : cast->clips)
            check(clip.id < n && anims[static_cast<std::size_t>(clip.id)].first == folder + "/" + clip.sheet + ".pcx",
                  folder + ": animation " + std::to_string(clip.id) + " does not name the sheet " + clip.sheet);
        for (const auto& [file, next] : anims) {
            check(frames.count(file) && file.size() <= 29, folder + ": " + file + " is not a generated sheet");
            check(next >= 0 && next < n, folder + ": " + file + " is followed by a missing animation");
        }
        if (n < 10) continue;
        // The ids an animation passes through until it is back at idle (empty if it never is).
        const auto chain = [&](int id) {
            std::set<int> seen;
            for (; id != 0 && id >= 0 && id < n && !seen.count(id); id = anims[static_cast<std::size_t>(id)].second) seen.insert(id);
            return id == 0 ? seen : std::set<int>();
        };
        for (int id = 1; id <= 9; ++id)
            check(!chain(id).empty(), folder + ": animation " + std::to_string(id) + " never returns to idle");
        check(anims[8].second != 8 && anims[9].second != 9, folder + ": win or lose repeats itself");

        // Sample number: the moves whose chains may play it (the hits only in rewards and super).
        const std::map<int, std::vector<int>> role = {{0, {1}}, {1, {2}}, {2, {3}}, {3, {4}},    {4, {5}},       {5, {6}},
                                                      {6, {7}}, {7, {8}}, {8, {9}}, {9, {1, 2, 3}}, {10, {4}}};
        std::set<int> cued;
        std::ifstream cue_list(data + "/sfxlist.txt");
        int count = 0, last = 0;
        for (int anim, frame, sample; cue_list >> anim >> frame >> sample; ++count, last = anim) {
            const std::string cue = folder + ": cue " + std::to_string(anim) + " " + std::to_string(frame) + " " + std::to_string(sample);
            check(anim >= last && anim < n, cue + " is out of order or names a missing animation");
            if (anim >= n) continue;
            check(frame >= 0 && frame < frames[anims[static_cast<std::size_t>(anim)].first], cue + " lies outside its sheet");
            bool in_role = false;
            if (role.count(sample))
                for (int move : role.at(sample)) in_role = in_role || move == anim || chain(move).count(anim);
            check(in_role, cue + " plays its sample outside the moves it belongs to");
            cued.insert(sample);
        }
        check(count <= 30, folder + ": more than 30 cues");
        for (const auto& [sample, moves] : role)
            check(cued.count(sample), folder + ": no cue plays sample " + std::to_string(sample));
    }
}

}  // namespace

int main() {
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "cannot start Allegro\n");
        return 1;
    }
    const Font text_font(CUPCLASH_FONT_FILE);  // Allegro has a global named font
    const Context ctx{text_font};

    std::map<std::string, Image> made;
    for (const PictureAsset& asset : picture_assets()) {
        const Image image = asset.make(ctx);
        check(picture_fault(asset, image).empty(), picture_fault(asset, image));
        check(encode_pcx(asset.make(ctx)) == encode_pcx(image), std::string(asset.file) + " differs between two runs");
        check_pcx_file(asset.file, image);
        made[asset.file] = image;
    }
    check_cups(made["cups.pcx"]);
    check_top_background(made["bg.pcx"], made["cups.pcx"]);
    check_tiles(made["combotxt.pcx"], "combotxt", 8, 128, 64, true);
    check_tiles(made["roundtxt.pcx"], "roundtxt", 9, 128, 64, true);
    check_tiles(made["numbers.pcx"], "numbers", 10, 16, 16, false);
    check_super(made["super.pcx"]);
    check_banners(made["winlose.pcx"]);
    check_swirl(made["swirl.pcx"]);
    check_menu_labels(made["menutxt.pcx"]);
    check_tutorial_pages(made["tuttxt.pcx"]);
    check_tiles(made["buttons.pcx"], "buttons", 4, 128, 96, false);
    check(made["title.pcx"].is_mask(0, 119) && made["title.pcx"].is_mask(255, 0), "title: not cut out of its corner");
    for (int row = 0; row < 5; ++row)
        for (int f = 0; f < 5; ++f)
            check(row == 3 ? !tile_has_ink(made["pop.pcx"], 32 * f, 96, 32, 32)
                           : tile_has_ink(made["pop.pcx"], 32 * f, 32 * row, 32, 32),
                  "pop: picture " + std::to_string(f) + " of row " + std::to_string(row) + " is wrong");

    for (const SoundAsset& asset : sound_assets()) {
        const Sound sound = asset.make();
        check(sound_fault(asset, sound).empty(), sound_fault(asset, sound));
        check(asset.make().samples == sound.samples, std::string(asset.file) + " differs between two runs");
        double peak = 0;
        for (double v : sound.samples) peak = std::max(peak, std::abs(v));
        const double dbfs = 20 * std::log10(peak);
        check(dbfs > -3.5 && dbfs < -2.5, std::string(asset.file) + " does not peak near -3 dBFS");
        check_wav_round_trip(asset.file, sound);
    }

    Image probe(5, 4, Rgb(10, 20, 30));
    probe.set(4, 3, kMask);
    probe.set(0, 0, Rgb(255, 254, 253));
    check(same_image(decode_png(encode_png(probe)), probe), "png: does not decode to the same pixels");

    check_character_sounds();

    check_pcx_edge_cases();
    check_mask_guard();
    check_music_guard();
    check_music();
    check_characters();

    if (g_failures) std::fprintf(stderr, "%d check(s) failed\n", g_failures);
    else std::printf("all asset generator checks passed\n");
    return g_failures ? 1 : 0;
}
