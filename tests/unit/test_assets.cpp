// The generated art and sound the game loads, checked in the folder the game runs from: every file is
// there, in the size the game's drawing assumes. (What the pictures and sounds hold is checked by the
// generator's own tests, tools/assetgen/tests.)
#include <gtest/gtest.h>

#include "headless.h"

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

}  // namespace
