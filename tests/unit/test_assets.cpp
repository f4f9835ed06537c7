// The generated art and sound the game loads, checked in the folder the game runs from: every file is
// there, in the size the game's drawing assumes. (What the pictures and sounds hold is checked by the
// generator's own tests, tools/assetgen/tests.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

#include "headless.h"
#include "platform/assets.h"
#include "platform/files.h"
#include "platform/sound.h"

namespace {

// The game's own loader, with the sizes its drawing cuts from, takes every generated file. The child
// leaves at once, without the exit handlers: the synthetic sheets it loaded over are no leak to report.
TEST(GeneratedAssets, TheGameLoadsEveryFile) {
    start_headless();
    EXPECT_EXIT((load_shared_assets(), std::_Exit(0)), testing::ExitedWithCode(0), "^$");
}

// ---- Telling a damaged file by its bytes ----

std::vector<uint8_t> bytes_of(const char* file) {
    std::vector<uint8_t> bytes;
    EXPECT_EQ(read_game_file(file, &bytes), "") << file;
    return bytes;
}

std::vector<uint8_t> cut(std::vector<uint8_t> bytes, size_t size) {
    bytes.resize(size);
    return bytes;
}

TEST(FileChecks, DamagedPicturesAndSoundsAreToldApartFromWholeOnes) {
    start_headless();
    const std::vector<uint8_t> cups = bytes_of("cups.pcx"), sound = bytes_of("break.wav");
    std::vector<uint8_t> not_rle = cups, one_plane = cups, zero_high = cups;
    not_rle[2] = 0;
    one_plane[65] = 1;  // its rows then end early, and it has no colour table
    zero_high[6] = 1;   // rows from 1 to 0
    zero_high[10] = zero_high[11] = 0;
    // A whole picture of one plane: 64 rows of 80 single bytes, then the colour table.
    std::vector<uint8_t> palette_picture = cut(one_plane, 128);
    palette_picture.insert(palette_picture.end(), 64 * 80, 7);
    palette_picture.push_back(12);
    palette_picture.insert(palette_picture.end(), 768, 0);
    const struct {
        std::vector<uint8_t> bytes;
        int w, h;
        const char* fault;
    } pictures[] = {
        {cups, 80, 64, ""},
        {cups, 80, 48, "is damaged: it is 80 x 64, the game needs 80 x 48"},
        {cut(cups, cups.size() - 1), 80, 64, "is damaged: it ends at row 63 of 64"},
        {cut(cups, 100), 80, 64, "is damaged: it is not a PCX picture"},
        {not_rle, 80, 64, "is damaged: it is not a PCX picture"},
        {cut(one_plane, 128 + 64 * 40), 80, 64, "is damaged: its colour table is missing"},
        {zero_high, 0, 0, "is damaged: its size is 80 x 0"},
        {palette_picture, 80, 64, ""},
        {cut(palette_picture, palette_picture.size() - 769 - 40), 80, 64, "is damaged: it ends at row 63 of 64"},
        {cut(palette_picture, palette_picture.size() - 1), 80, 64, "is damaged: its colour table is missing"},
        {sound, 80, 64, "is damaged: it is not a PCX picture"},
    };
    for (const auto& c : pictures) {
        const std::string fault = pcx_fault(c.bytes, c.w, c.h);
        EXPECT_EQ(c.fault[0] ? fault.rfind(c.fault, 0) : fault.size(), 0u) << fault;
    }

    std::vector<uint8_t> no_data = sound, odd_part = sound;
    std::copy_n("junk", 4, no_data.begin() + 36);  // the data part's tag
    // A part of three bytes before the sound data, padded to four as RIFF asks.
    const uint8_t note[] = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    odd_part.insert(odd_part.begin() + 36, note, note + sizeof note);
    const struct {
        std::vector<uint8_t> bytes;
        const char* fault;
    } sounds[] = {
        {sound, ""},
        {cut(sound, sound.size() - 1), "is damaged: it ends before the end of its sound data"},
        {cut(sound, 30), "is damaged: it ends inside its header"},
        {no_data, "is damaged: it holds no sound data"},
        {cut(no_data, 44), "is damaged: it ends inside its header"},
        {cups, "is damaged: it is not a WAV sound"},
        {odd_part, ""},
        {cut(odd_part, odd_part.size() - 1), "is damaged: it ends before the end of its sound data"},
    };
    for (const auto& c : sounds) EXPECT_EQ(wav_fault(c.bytes, c.bytes.size()), c.fault);
    // ...and it loads, the same sound as Allegro's own reader makes of the file without the part.
    const char* odd_file = "/tmp/cupclash-odd-part.wav";
    FILE* f = std::fopen(odd_file, "wb");
    ASSERT_TRUE(f && std::fwrite(odd_part.data(), 1, odd_part.size(), f) == odd_part.size() && std::fclose(f) == 0);
    SAMPLE* odd = read_wav(odd_file);
    SAMPLE* plain = load_wav("break.wav");
    std::remove(odd_file);
    ASSERT_TRUE(odd && plain);
    ASSERT_EQ(odd->len, plain->len);
    EXPECT_EQ(std::memcmp(odd->data, plain->data, plain->len * (plain->bits / 8) * (plain->stereo ? 2 : 1)), 0);
    destroy_sample(odd);
    destroy_sample(plain);
    // Only the head is read: the sizes come from the whole file.
    EXPECT_EQ(wav_fault(cut(sound, 44), sound.size()), "");
    EXPECT_EQ(wav_fault(cut(sound, 44), sound.size() - 1), "is damaged: it ends before the end of its sound data");

    std::vector<uint8_t> bytes;
    EXPECT_EQ(read_game_file("no_such.pcx", &bytes).rfind("is missing from /", 0), 0u);
    EXPECT_EQ(read_game_file("..", &bytes), "cannot be read: it is not a file");
}

TEST(FileChecks, AFaultIsOneLineEvenWhenReleasingFailsToo) {
    release_on_fail([] { fail("out of memory"); });
    EXPECT_EXIT(fail("out of memory loading picture \"%s\"", "cups.pcx"), testing::ExitedWithCode(1),
                "^cupclash: out of memory loading picture \"cups.pcx\"\n$");
    release_on_fail(nullptr);
}

// The game's own reading of a picture gives what Allegro's loader and its conversion to 16-bit colour
// gave, pixel for pixel: every screen picture of the game folder and a character's sheet (colour
// planes), and a picture of a colour table, every colour of it.
TEST(GeneratedAssets, PicturesLoadAsAllegroLoadedThem) {
    start_headless();
    const std::string indexed_file = "/tmp/cupclash-indexed-" + std::to_string(getpid()) + ".pcx";
    PALETTE table;
    for (int k = 0; k < 256; k++) table[k] = RGB{static_cast<unsigned char>(k % 64), static_cast<unsigned char>(k * 7 % 64),
                                                 static_cast<unsigned char>(k * 13 % 64), 0};
    BITMAP* indexed = create_bitmap_ex(8, 256, 3);
    for (int x = 0; x < 256; x++) vline(indexed, x, 0, 2, x);
    ASSERT_EQ(save_pcx(indexed_file.c_str(), indexed, table), 0);
    destroy_bitmap(indexed);
    for (const PictureFile& picture : {title_picture, swirl_picture, buttons_picture, modes_picture, charsel_picture,
                                       charsel_pair_picture, menu_picture, tutorial_picture, portrait_pictures[1],
                                       PictureFile{"bg.pcx", 0, 0}, PictureFile{"quorvant/win.pcx", 0, 0},
                                       PictureFile{indexed_file.c_str(), 0, 0}}) {
        BITMAP* ours = load_picture(picture);
        BITMAP* allegros = load_bitmap(picture.name, nullptr);
        ASSERT_TRUE(ours && allegros) << picture.name;
        ASSERT_TRUE(ours->w == allegros->w && ours->h == allegros->h) << picture.name;
        for (int y = 0; y < ours->h; y++)
            ASSERT_EQ(std::memcmp(ours->line[y], allegros->line[y], ours->w * 2), 0) << picture.name << " row " << y;
        destroy_bitmap(ours);
        destroy_bitmap(allegros);
    }
    std::remove(indexed_file.c_str());
}

}  // namespace
