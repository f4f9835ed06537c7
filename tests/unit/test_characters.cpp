// The characters on the bottom panel: frames and the end of an animation, the queue that waits for
// both characters to idle, sound cues and their blows, the mirrored right side, who is in front.
#include "board_fixture.h"
#include "present/characters.h"
#include "platform/sound.h"

namespace {

class Characters : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        q = players[1];
    }
    // Animation `id` of player `who` becomes a sheet `height` rows high and `width` wide.
    static void set_anim(Player* who, int id, int height, int32_t next, int width = 64) {
        destroy_bitmap(who->anims[id].sheet);
        who->anims[id] = Anim{figure_sheet(id, width, height), next};
    }
    static void play(Player* who, int32_t id, int frame) {
        who->anim_queue[0] = id;
        who->anim_frame = frame;
    }
    // One character alone on the background.
    static void show(Player* who) {
        blit(char_bg, character_canvas, 0, 0, 0, 0, screen_width, panel_height);
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
        EXPECT_EQ(pixel(character_canvas, 10, 10), figure_colour(s.id, s.frame));
        // The short last frame fills only its 24 rows; below them the background shows.
        const bool short_frame = s.id == 2 && s.frame == 3;
        EXPECT_EQ(pixel(character_canvas, 10, 100), short_frame ? char_bg_colour() : figure_colour(s.id, s.frame));
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
    vline(q->anims[anim_hit_hard].sheet, 0, 0, frame_height - 1, makecol(250, 250, 250));  // its left edge
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
    destroy_bitmap(q->anims[0].sheet);
    q->anims[0].sheet = figure_sheet(15, screen_width, frame_height);
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

}  // namespace
