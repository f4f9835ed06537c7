// The generated art and sound the game loads, checked in the folder the game runs from: every file is
// there, in the size the game's drawing assumes. (What the pictures and sounds hold is checked by the
// generator's own tests, tools/assetgen/tests.)
#include <gtest/gtest.h>

#include <algorithm>

#include "headless.h"
#include "platform/files.h"

namespace {

TEST(GeneratedAssets, EveryFileLoadsInTheSizeTheGameDrawsFrom) {
    start_headless();
    const struct {
        const char* file;
        int w, h;
    } sheets[] = {
        {"cups.pcx", 80, 64},     {"pop.pcx", 160, 160},    {"combotxt.pcx", 128, 512},
        {"roundtxt.pcx", 128, 576}, {"numbers.pcx", 160, 16}, {"bg.pcx", 256, 192},
        {"super.pcx", 40, 32},    {"winlose.pcx", 128, 96}, {"char_bg.pcx", 256, 192},
    };
    for (const auto& s : sheets) {
        BITMAP* b = load_bitmap(s.file, nullptr);
        ASSERT_NE(b, nullptr) << s.file;
        EXPECT_EQ(b->w, s.w) << s.file;
        EXPECT_EQ(b->h, s.h) << s.file;
        destroy_bitmap(b);
    }
    for (const char* file : {"break.wav", "refill.wav"}) {
        SAMPLE* s = load_sample(file);
        ASSERT_NE(s, nullptr) << file;
        EXPECT_EQ(s->bits, 16) << file;
        EXPECT_GT(s->len, 1000u) << file;
        EXPECT_LT(s->len, s->freq / 2 + 1) << file << " lasts under half a second";
        destroy_sample(s);
    }
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
    const std::vector<uint8_t> cups = bytes_of("cups.pcx"), sound = bytes_of("break.wav");
    std::vector<uint8_t> not_rle = cups, one_plane = cups;
    not_rle[2] = 0;
    one_plane[65] = 1;  // its rows then end early, and it has no colour table
    const struct {
        std::vector<uint8_t> bytes;
        int w, h;
        const char* fault;
    } pictures[] = {
        {cups, 80, 64, ""},
        {cups, 80, 48, "is damaged: it is 80 x 64, the game needs 80 x 48"},
        {cut(cups, cups.size() / 2), 80, 64, "is damaged: it ends at row "},
        {cut(cups, cups.size() - 1), 80, 64, "is damaged: it ends at row 63 of 64"},
        {cut(cups, 100), 80, 64, "is damaged: it is not a PCX picture"},
        {not_rle, 80, 64, "is damaged: it is not a PCX picture"},
        {cut(one_plane, 128 + 64 * 40), 80, 64, "is damaged: its colour table is missing"},
        {sound, 80, 64, "is damaged: it is not a PCX picture"},
    };
    for (const auto& c : pictures)
        EXPECT_EQ(pcx_fault(c.bytes, c.w, c.h).rfind(c.fault, 0), 0u) << pcx_fault(c.bytes, c.w, c.h);

    std::vector<uint8_t> no_data = sound;
    std::copy_n("junk", 4, no_data.begin() + 36);  // the data part's tag
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
    };
    for (const auto& c : sounds) EXPECT_EQ(wav_fault(c.bytes, c.bytes.size()), c.fault);
    // Only the head is read: the sizes come from the whole file.
    EXPECT_EQ(wav_fault(cut(sound, 44), sound.size()), "");
    EXPECT_EQ(wav_fault(cut(sound, 44), sound.size() - 1), "is damaged: it ends before the end of its sound data");

    std::vector<uint8_t> bytes;
    EXPECT_EQ(read_game_file("no_such.pcx", &bytes).rfind("is missing from /", 0), 0u);
    EXPECT_EQ(read_game_file("..", &bytes), "cannot be read: it is not a file");
}

}  // namespace
