// The characters on the bottom panel: frames and the end of an animation, the queue that waits for
// both characters to idle, sound cues and their blows, the mirrored right side, who is in front.
#include "board_fixture.h"
#include "present/characters.h"
#include "platform/sound.h"
#include "present/character_data.h"
#include "present/character_files.h"

#include <cstring>
#include <fstream>
#include <string>

namespace {

class Characters : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        q = players[1];
    }
    // Animation `id` of player `who` becomes a sheet `height` rows high and `width` wide.
    static void set_anim(Player* who, int id, int height, int32_t next, int width = 64, int colour_id = -1) {
        set_sheet(who, id, figure_sheet(colour_id < 0 ? id : colour_id, width, height), next);
    }
    // Animation `id` of player `who` becomes `sheet`, which it takes.
    static void set_sheet(Player* who, int id, BITMAP* sheet, int32_t next) {
        release_anim(&who->anims[id]);
        who->anims[id] = anim_from_sheet(sheet, next, who->index);
        destroy_bitmap(sheet);
    }
    static void play(Player* who, int32_t id, int frame) {
        who->anim_queue[0] = id;
        who->anim_frame = frame;
    }
    // One character alone on the background.
    static void show(Player* who) {
        blit(char_bg, bottom_panel, 0, 0, 0, 0, screen_width, panel_height);
        animate_character(who);
    }
    Player* q = nullptr;  // the right player
};

TEST_F(Characters, EveryFrameThatStartsInTheSheetShowsThenTheNextStartsAtOnce) {
    set_anim(p, 1, 576, 2);  // three whole frames
    set_anim(p, 2, 600, 0);  // three whole frames and a last one of 24 rows
    play(p, 1, 0);
    const struct {
        int32_t id;
        int frame;
    } shown[] = {{1, 0}, {1, 1}, {1, 2}, {2, 0}, {2, 1}, {2, 2}, {2, 3}, {0, 0}, {0, 0}};
    for (const auto& s : shown) {
        SCOPED_TRACE(testing::Message() << "animation " << s.id << " frame " << s.frame);
        show(p);
        EXPECT_EQ(p->anim_queue[0], s.id);
        EXPECT_EQ(p->anim_frame, s.frame + 1);
        EXPECT_EQ(pixel(bottom_panel, 10, 10), figure_colour(s.id, s.frame));
        // The short last frame fills only its 24 rows; below them the background shows.
        const bool short_frame = s.id == 2 && s.frame == 3;
        EXPECT_EQ(pixel(bottom_panel, 10, 100), short_frame ? char_bg_colour() : figure_colour(s.id, s.frame));
    }
}

TEST_F(Characters, WaitingAnimationsStartOnlyWhenBothCharactersIdle) {
    set_anim(q, anim_hit, 2 * frame_height, 0);
    set_anim(p, 1, 2 * frame_height, 0);
    play(q, anim_hit, 0);
    play(p, anim_idle, 1);  // the one-frame idle cycle ends at the next call
    p->anim_queue[1] = 1;
    p->anim_queue[2] = 2;
    // Per frame (right drawn first): left slots 0 and 1 after the frame.
    const int32_t left[][2] = {
        {0, 1},  // the right character still flinches: the idle starts again
        {0, 1},
        {1, 2},  // both idle: the oldest waiting id starts
        {1, 2},
        {0, 2},  // animation 1 returns to 0; 2 waits for another idle cycle
        {2, 0},
    };
    for (int f = 0; f < 6; f++) {
        compose_characters();
        EXPECT_EQ(p->anim_queue[0], left[f][0]) << "frame " << f;
        EXPECT_EQ(p->anim_queue[1], left[f][1]) << "frame " << f;
    }
}

TEST_F(Characters, FirstCueOfTheFrameFiresAndItsBlowKnocksTheOpponentBack) {
    for (Player* who : {p, q})
        for (int k = 0; k < 6; k++) who->sfx[k] = create_sample(16, 0, 22050, 8);
    set_anim(p, 1, 576, 0);
    const struct {
        const char* what;
        std::vector<Cue> cues;
        int32_t anim;
        int frame;
        uint8_t volume;
        int32_t opponent_after;  // the opponent plays 8 before
    } cases[] = {
        {"light hit", {{0, 0, 4}, {1, 1, 0}}, 1, 1, 128, anim_hit},
        {"only the first of two cues on a frame", {{1, 0, 2}, {1, 0, 3}}, 1, 0, 128, anim_hit},
        {"silent effects still hit", {{1, 0, 3}}, 1, 0, 0, anim_hit_hard},
        {"a sample from 4 on only sounds", {{1, 0, 4}}, 1, 0, 128, anim_win},
        {"another frame", {{1, 2, 0}}, 1, 0, 128, anim_win},
        {"no cues: empty slots are no cues", {}, anim_idle, 0, 128, anim_win},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (size_t k = 0; k < max_cues; k++) p->cues[k] = k < c.cues.size() ? c.cues[k] : Cue{};
        p->cue_count = static_cast<int32_t>(c.cues.size());
        sfx_volume = c.volume;
        play(p, c.anim, c.frame);
        play(q, anim_win, 3);
        show(p);
        EXPECT_EQ(q->anim_queue[0], c.opponent_after);
        EXPECT_EQ(q->anim_frame, c.opponent_after == anim_win ? 3 : 0);
    }
}

TEST_F(Characters, AHeavyBlowAtTheSuperStartShowsTheHardHitMirroredInTheSameFrame) {
    p->sfx[3] = create_sample(16, 0, 22050, 8);
    p->cues[0] = Cue{anim_super, 0, 3};
    p->cue_count = 1;
    play(p, anim_idle, 1);
    p->anim_queue[1] = anim_super;
    BITMAP* hard = figure_sheet(anim_hit_hard, 64, frame_height);
    vline(hard, 0, 0, frame_height - 1, makecol(250, 250, 250));  // its left edge
    set_sheet(q, anim_hit_hard, hard, anim_idle);
    match.draw_order = 1;  // the left character is drawn first, the right one over it
    compose_characters();
    EXPECT_EQ(p->anim_queue[0], anim_super);
    EXPECT_EQ(q->anim_queue[0], anim_hit_hard);
    // Both 64 wide: the left one as drawn, the right one mirrored against the right edge.
    expect_pixels(bottom_panel, {{0, 100, figure_colour(anim_super, 0)},
                                 {63, 100, figure_colour(anim_super, 0)},
                                 {64, 100, char_bg_colour()},
                                 {191, 100, char_bg_colour()},
                                 {192, 100, figure_colour(anim_hit_hard, 0)},
                                 {255, 100, in_16_bit(250, 250, 250)}});
    EXPECT_EQ(match.draw_order, 0);  // the super brings the left character to the front from the next frame
}

TEST_F(Characters, ACelebrationBringsItsCharacterToTheFrontFromTheNextFrame) {
    // Both figures span the whole panel; the right one's idle has a colour of its own.
    for (int id = 0; id <= anim_lose; id++) set_anim(p, id, frame_height, 0, screen_width);
    set_anim(q, anim_reward_2, 2 * frame_height, 0, screen_width);
    set_anim(q, anim_idle, frame_height, anim_idle, screen_width, 15);
    play(q, anim_idle, 1);
    q->anim_queue[1] = anim_reward_2;
    const Rgb front[] = {
        figure_colour(0, 0),              // reward 2 starts, but the left idle was drawn last
        figure_colour(anim_reward_2, 1),  // from here the right character is in front
        figure_colour(15, 0),             // and stays there after its animation
        figure_colour(15, 0),
    };
    for (int f = 0; f < 4; f++) {
        compose_characters();
        EXPECT_EQ(match.draw_order, 1) << "frame " << f;
        EXPECT_EQ(pixel(bottom_panel, 128, 100), front[f]) << "frame " << f;
    }
    // Only the start of a celebration counts, not its frames.
    play(p, anim_reward_1, 0);
    compose_characters();
    EXPECT_EQ(match.draw_order, 1);
}

// The frames kept as sprites draw what the plain sheets drew: every frame of both real characters of
// the game folder, on both sides, against the plain way (the frame copied onto a transparent canvas,
// then drawn as a masked sprite through a clip of the sheet's width, the right side's mirrored over
// the whole panel width).
TEST_F(Characters, EveryFrameOfTheRealCharactersDrawsAsThePlainSheetsDid) {
    BITMAP* canvas = create_bitmap(screen_width, panel_height);
    BITMAP* plain = create_bitmap(screen_width, panel_height);
    for (int character : {0, 1}) {
        for (Player* who : {p, q}) {
            release_character_data(who);
            ASSERT_EQ(load_character_data(who, character), "");
            who->cue_count = 0;  // no sounds and no blows
            std::ifstream list(character_files[character].anim_list);
            std::string name;
            int32_t next = 0;
            for (int a = 0; list >> name >> next; a++) {
                BITMAP* sheet = load_bitmap(name.c_str(), nullptr);
                ASSERT_NE(sheet, nullptr) << name;
                const int frames = (sheet->h + frame_height - 1) / frame_height;
                EXPECT_EQ(who->anims[a].frame_count, frames) << name;
                const int left = who->index == 0 ? 0 : screen_width - sheet->w;
                for (int f = 0; f < frames; f++) {
                    clear_to_color(canvas, mask_colour());
                    blit(sheet, canvas, 0, frame_height * f, 0, 0, sheet->w, frame_height);
                    blit(char_bg, plain, 0, 0, 0, 0, screen_width, panel_height);
                    set_clip_rect(plain, left, 0, left + sheet->w - 1, panel_height - 1);
                    if (who->index == 0) draw_sprite(plain, canvas, 0, 0);
                    else draw_sprite_h_flip(plain, canvas, 0, 0);
                    set_clip_rect(plain, 0, 0, screen_width - 1, panel_height - 1);
                    play(who, a, f);
                    show(who);
                    int differ = 0;
                    for (int y = 0; y < panel_height; y++)
                        differ += std::memcmp(plain->line[y], bottom_panel->line[y], screen_width * 2) != 0;
                    ASSERT_EQ(differ, 0) << name << " frame " << f << " on side " << who->index;
                }
                destroy_bitmap(sheet);
            }
            EXPECT_GT(who->anims[anim_lose].frame_count, 0) << "the list was read to its end";
        }
    }
    destroy_bitmap(canvas);
    destroy_bitmap(plain);
}

}  // namespace
