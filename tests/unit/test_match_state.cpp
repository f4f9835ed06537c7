// The match state as one value: the random numbers, save and restore in the middle of a match, and
// the checksum that tells two states apart.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "board_fixture.h"
#include "control/cpu.h"
#include "game/frame.h"
#include "platform/ticks.h"
#include "present/character_data.h"
#include "state/match.h"

namespace {

TEST(Random, DrawsTheCLibrarySequence) {
    // Seed 0 counts as 1; seeds past 2^31 keep their meaning.
    for (const uint32_t seed : {0u, 1u, 7u, 2024u, 123456789u, 2147483648u, 4294967295u}) {
        Random random;
        seed_random(&random, seed);
        std::srand(seed);
        for (int k = 0; k < 1000000; k++) {
            const int expected = std::rand();
            ASSERT_EQ(next_random(&random), expected) << "seed " << seed << ", draw " << k;
        }
    }
}

// The computer plays both boards of a battle with its script, on synthetic characters.
class MatchState_ : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        saved_script = ai_list;
        if (ai_list.empty()) {
            ASSERT_EQ(read_ai_script("AI_list.txt"), "");
        }
    }
    void TearDown() override { ai_list = saved_script; }

    // A fresh battle from `seed`, both boards empty and falling, so that they fill at once.
    static void start_battle(uint32_t seed) {
        reset_game_state();
        seed_random(&match.random, seed);
        set_game_mode(mode_cpu_vs_cpu);
        for (Player* p : players) p->state = falling;
    }

    // One battle frame; its checksum and a hash of the picture it showed (16-bit memory rows).
    struct Seen {
        uint64_t checksum;
        uint64_t picture;
        bool operator==(const Seen& o) const { return checksum == o.checksum && picture == o.picture; }
    };
    static Seen frame() {
        battle_frame();
        uint64_t h = 1469598103934665603ULL;
        for (int y = 0; y < screen->h; y++) {
            const auto* row = reinterpret_cast<const uint16_t*>(screen->line[y]);
            for (int x = 0; x < screen->w; x++) h = (h ^ row[x]) * 1099511628211ULL;
        }
        return {live_checksum(), h};
    }

    std::vector<AiRecord> saved_script;
};

TEST_F(MatchState_, RestoredInTheMiddleOfABattleItPlaysOnFrameForFrame) {
    constexpr int compared_frames = 60;
    const struct {
        uint32_t seed;
        int saved_at;   // the frame after which the state is saved
        int wandered;   // frames played on before it is restored
    } cases[] = {{1, 3, 40}, {7, 150, 5}, {2024, 600, 300}, {99, 1337, 77}};
    int refilling_saves = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "seed " << c.seed << ", saved after frame " << c.saved_at);
        // The uninterrupted run.
        start_battle(c.seed);
        for (int f = 0; f < c.saved_at; f++) frame();
        std::vector<Seen> straight;
        for (int f = 0; f < compared_frames; f++) straight.push_back(frame());

        // The same run saved, played on elsewhere, and restored.
        start_battle(c.seed);
        for (int f = 0; f < c.saved_at; f++) frame();
        static MatchState saved;
        save_match(&saved);
        refilling_saves += saved.side[0].refill_offset > 0 || saved.side[1].refill_offset > 0;
        EXPECT_EQ(match_checksum(saved), live_checksum());
        for (int f = 0; f < c.wandered; f++) frame();
        EXPECT_NE(live_checksum(), match_checksum(saved)) << "the match must have moved on before the restore";
        restore_match(saved);
        EXPECT_EQ(live_checksum(), match_checksum(saved));
        for (int f = 0; f < compared_frames; f++) ASSERT_EQ(frame(), straight[f]) << "frame " << f << " after the restore";
    }
    EXPECT_GT(refilling_saves, 0) << "no case saved while a refill slid in";
}

// Frames nobody sees (a rollback or a replay catching up) step the match exactly as shown ones: a run
// of unseen frames, then shown ones, agrees at every frame with a run shown throughout, and ends on
// the same picture; the window is left alone meanwhile. The real characters play, with their cues
// and the blows that knock the opponent back.
TEST_F(MatchState_, UnseenFramesStepTheMatchAsShownOnes) {
    const struct {
        uint32_t seed;
        int unseen, shown;
    } cases[] = {{3, 1, 40}, {11, 400, 60}, {2024, 1500, 100}};
    int blows = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "seed " << c.seed << ", " << c.unseen << " frames unseen");
        std::vector<Seen> runs[2];
        for (int run : {0, 1}) {
            start_battle(c.seed);
            for (Player* p : players) {
                release_character_data(p);
                ASSERT_EQ(load_character_data(p, p->index), "");
            }
            const Seen before = frame();
            for (int f = 0; f < c.unseen + c.shown; f++) {
                frames_unseen = run == 1 && f < c.unseen;
                runs[run].push_back(frame());
                for (const Player* p : players) blows += p->anim_queue[0] == anim_hit || p->anim_queue[0] == anim_hit_hard;
                if (frames_unseen) {
                    ASSERT_EQ(runs[run].back().picture, before.picture) << "frame " << f << " reached the window";
                }
            }
            frames_unseen = false;
        }
        for (int f = 0; f < c.unseen + c.shown; f++) ASSERT_EQ(runs[1][f].checksum, runs[0][f].checksum) << "frame " << f;
        EXPECT_EQ(runs[1].back().picture, runs[0].back().picture);
    }
    EXPECT_GT(blows, 0) << "no blow landed";
}

TEST_F(MatchState_, EveryByteOfTheValueCountsInTheChecksum) {
    start_battle(5);
    for (int f = 0; f < 200; f++) frame();
    static MatchState state;
    save_match(&state);
    const uint64_t whole = match_checksum(state);
    const struct {
        void* bytes;
        size_t size;
    } parts[] = {{&state.shared, sizeof state.shared}, {&state.side[0], sizeof state.side[0]},
                 {&state.side[1], sizeof state.side[1]}};
    for (const auto& part : parts) {
        auto* bytes = static_cast<uint8_t*>(part.bytes);
        for (size_t k = 0; k < part.size; k++) {
            bytes[k] ^= 1;
            ASSERT_NE(match_checksum(state), whole) << "byte " << k << " of a part of the value";
            bytes[k] ^= 1;
        }
    }
    EXPECT_EQ(match_checksum(state), whole);
}

}  // namespace
