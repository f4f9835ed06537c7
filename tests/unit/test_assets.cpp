// The generated art and sound the game loads, checked in the folder the game runs from.
#include <gtest/gtest.h>

#include "headless.h"

namespace {

struct Sheet {
    const char* file;
    int w, h;
};

TEST(GeneratedAssets, EveryPictureHasItsSheetSize) {
    start_headless();
    const Sheet sheets[] = {
        {"cups.pcx", 80, 64},     {"pop.pcx", 160, 160},    {"combotxt.pcx", 128, 512},
        {"roundtxt.pcx", 128, 576}, {"numbers.pcx", 160, 16}, {"bg.pcx", 256, 192},
        {"super.pcx", 40, 32},    {"winlose.pcx", 128, 96}, {"char_bg.pcx", 256, 192},
    };
    for (const Sheet& s : sheets) {
        BITMAP* b = load_bitmap(s.file, nullptr);
        ASSERT_NE(b, nullptr) << s.file;
        EXPECT_EQ(b->w, s.w) << s.file;
        EXPECT_EQ(b->h, s.h) << s.file;
        destroy_bitmap(b);
    }
}

TEST(GeneratedAssets, CupTilesAreMaskedAroundTheCupAndTheEmptyTileIsOpaque) {
    start_headless();
    BITMAP* sheet = load_bitmap("cups.pcx", nullptr);
    ASSERT_NE(sheet, nullptr);
    const Rgb magenta{255, 0, 255};
    for (int x = 0; x < 16; x++)
        for (int y = 0; y < 16; y++)
            ASSERT_FALSE(pixel(sheet, x, y) == magenta) << "the empty tile shows while a row slides: opaque";
    for (int type = 1; type <= 3; type++)
        for (int picture = 0; picture < 5; picture++)
            EXPECT_EQ(pixel(sheet, 16 * picture, 16 * type), magenta)
                << "cup picture " << picture << " of type " << type << " leaves its corner to the background";
    destroy_bitmap(sheet);
}

TEST(GeneratedAssets, SoundsLoad) {
    start_headless();
    for (const char* file : {"break.wav", "refill.wav"}) {
        SAMPLE* s = load_sample(file);
        ASSERT_NE(s, nullptr) << file;
        EXPECT_EQ(s->bits, 16) << file;
        EXPECT_GT(s->len, 1000u) << file;
        EXPECT_LT(s->len, s->freq / 2 + 1) << file << " lasts under half a second";
        destroy_sample(s);
    }
}

}  // namespace
