// The round rules, played through the game's own round loop with the balance scripted between
// frames: who wins, how a match goes on and ends, and what a new round starts from.
#include <functional>
#include <set>
#include <vector>

#include "board_fixture.h"
#include "game/frame.h"
#include "platform/ticks.h"
#include "game/flow.h"
#include "game/match_end.h"
#include "platform/music.h"
#include "platform/sound.h"
#include "state/match.h"

namespace {

// What runs between two frames of the test's round loop; the frames are counted.
std::function<void()> script;
int frames = 0;
void run_script() {
    frames++;
    script();
}

class Rounds : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        frames = 0;
        between_frames = run_script;
        match.game_mode = mode_vs_cpu;  // the left board idles: nobody presses a key
    }
    void TearDown() override { between_frames = nullptr; }
};

TEST_F(Rounds, TheSignOfBalanceAfterSettlingDecidesAndARoundNeverClosesOnABusyBoard) {
    struct Case {
        int at_end;      // balance that ends the battle
        int settles_to;  // balance the settling leaves
        uint8_t winner;
    };
    for (const Case c : {Case{64, 64, 0}, Case{64, 0, 1}, Case{64, -5, 1}, Case{-64, -64, 1}, Case{-64, 3, 0}}) {
        reset_match();
        int settling_frames = 0;
        bool rested_at_close = false, busy_seen = false, banner_seen = false;
        script = [&] {
            if (round_phase == phase_battle) {
                match.balance = c.at_end;
                players[0]->state = falling;  // a board still busy when the balance reaches its end
            } else if (round_phase == phase_settling) {
                settling_frames++;
                match.balance = c.settles_to;
                busy_seen |= !boards_at_rest();
                rested_at_close = boards_at_rest();
            } else if (round_phase == phase_banner && !banner_seen) {
                banner_seen = true;
                EXPECT_EQ(players[0]->state, round_over);
                EXPECT_EQ(players[1]->state, round_over);
            }
        };
        const bool goes_on = play_round();
        SCOPED_TRACE(testing::Message() << "balance " << c.at_end << " then " << c.settles_to);
        EXPECT_GT(settling_frames, 0);
        EXPECT_TRUE(busy_seen && rested_at_close && banner_seen);
        EXPECT_EQ(match.winner, c.winner);
        EXPECT_EQ(match.balance, 0);
        // The computer's win loses the match: the round loop is left and the match ends.
        EXPECT_EQ(goes_on, c.winner == 0);
        EXPECT_EQ(quit_request, c.winner == 0 ? quit_none : quit_match);
        EXPECT_EQ(match.round_number, c.winner == 0 ? 2 : 1);
    }
}

// The frame of a synthetic animation that shows at (x, y) of the screen, or -1.
int frame_shown(int anim, int x, int y) {
    for (int f = 0; f < 30; f++)
        if (pixel(screen, x, y) == figure_colour(anim, f)) return f;
    return -1;
}

TEST_F(Rounds, ARoundOpensWithItsIntroToItsMusicAndClosesWithBannersAtRestOverBothEndingsPlayedOut) {
    // The left figure's win and lose animations last 25 frames, the right one's 29: whichever side
    // wins, the longer one must play to its end. The left's win goes on to a second round.
    const int left_x = 30, right_x = 225, figure_y = panel_height + 100, length[2] = {25, 29};
    for (const int winner : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "winner " << winner);
        reset_game_state();
        between_frames = run_script;
        for (Player* side : players)
            for (const int a : {int{anim_win}, int{anim_lose}}) {
                release_anim(&side->anims[a]);
                side->anims[a] = figure_anim(a, 64, length[side->index] * frame_height, anim_idle, side->index);
            }
        int round = 1, banner_frames = 0, result_frames = 0;
        bool intro_seen = false, decided = false;
        std::set<int> endings_shown[2];  // frames of its win or lose animation each side showed
        script = [&] {
            const int computer = players[1]->character;
            if (round_phase == phase_intro && !intro_seen) {
                intro_seen = true;
                // "ROUND n" over the boards, the computer's entrance, the computer's track looping.
                expect_pixels(screen, {{100, 40, round_strip(0)}, {100, 100, round_strip(64 * match.round_number)}});
                if (round == 1) {
                    EXPECT_EQ(frame_shown(anim_intro, right_x, figure_y), 0);
                }
                const Heard track = voice_of(music_sample());
                EXPECT_TRUE(track.sample && track.looped && track.volume == music_volume);
                EXPECT_EQ(music_track(), track_round + computer) << "round " << round;
            }
            if (round_phase == phase_battle && !decided) {
                // Nothing of the last round is left to play after this round's intro.
                for (const Player* side : players)
                    for (int slot = 1; slot < anim_queue_slots; slot++) EXPECT_EQ(side->anim_queue[slot], anim_idle);
                decided = true;
                match.balance = (round == 1 ? winner == 0 : false) ? balance_limit : -balance_limit;
            }
            if (round_phase == phase_banner) banner_frames++;
            if (round_phase == phase_result && result_frames++ == 0 && round == 1)
                for (Player* side : players)  // celebrations still waiting when the round ends
                    for (int slot = 1; slot < 4; slot++) side->anim_queue[slot] = anim_reward_1;
            if ((round_phase == phase_banner || round_phase == phase_result) && round == 1) {
                endings_shown[winner].insert(frame_shown(anim_win, winner == 0 ? left_x : right_x, figure_y));
                endings_shown[1 - winner].insert(frame_shown(anim_lose, winner == 0 ? right_x : left_x, figure_y));
            }
        };
        EXPECT_EQ(play_round(), winner == 0);
        EXPECT_TRUE(intro_seen);
        EXPECT_EQ(banner_frames, 18);  // from above the panel to rest, 8 pixels a frame
        // The banners rest at y 96 over the boards, the winner's over its board; under them both
        // boards have popped their last cups.
        const Rgb won = winlose_half(0), lost = winlose_half(48);
        for (const int x : {60, 190}) {
            const Rgb banner = (x < 128) == (winner == 0) ? won : lost;
            expect_pixels(screen, {{x, 96, banner}, {x, 143, banner}});
            EXPECT_FALSE(pixel(screen, x, 95) == banner || pixel(screen, x, 144) == banner) << x;
        }
        for (const Player* side : players) EXPECT_EQ(board_text(side), lines(std::vector<std::string>(board_rows, "......")));
        expect_pixels(screen, {{20, 20, bg_colour()}, {235, 20, bg_colour()}});
        for (const int side : {0, 1}) {
            std::set<int> all;
            for (int f = 0; f < length[side]; f++) all.insert(f);
            endings_shown[side].erase(-1);
            EXPECT_EQ(endings_shown[side], all) << "side " << side;
        }
        round = 2;
        intro_seen = decided = false;
        if (winner == 0) {
            EXPECT_FALSE(play_round());
            EXPECT_TRUE(intro_seen);
        }
    }
}

TEST_F(Rounds, AMatchAlternatesTheComputerKeepsTheWinnersScoreAndEndsOnALossOrAfterRoundEight) {
    struct Case {
        std::vector<int> winners;  // by round; the match must end after the last
        int8_t final_round;
        uint8_t final_quit;
    };
    for (const Case& c : {Case{{0, 0, 1}, 3, quit_match}, Case{{1}, 1, quit_match},
                          Case{{0, 0, 0, 0, 0, 0, 0, 0}, 9, quit_none}}) {
        reset_game_state();
        between_frames = run_script;
        match.game_mode = mode_vs_cpu;
        int round = -1;
        bool decided = false;
        int32_t last_scores[2] = {0, 0};
        script = [&] {
            if (round_phase == phase_battle && (round < 0 || decided)) {  // the first frame of a round
                round++;
                decided = false;
                ASSERT_LT(round, static_cast<int>(c.winners.size())) << "a round too many";
                EXPECT_EQ(match.round_number, round + 1);
                EXPECT_EQ(players[1]->character, (1 + round) % 2) << "round " << round + 1;
                for (int side : {0, 1}) {
                    const bool kept = round > 0 && c.winners[round - 1] == side;
                    EXPECT_EQ(players[side]->score, kept ? last_scores[side] : 0) << "round " << round + 1;
                    EXPECT_EQ(players[side]->super_meter, 0);
                    EXPECT_EQ(players[side]->slide_x, 0);
                }
            }
            if (round_phase == phase_battle && !decided && players[0]->state == ready) {
                // The left board has filled from the computer's pattern; now the round is decided,
                // leaving a super meter and a slide behind.
                Player pattern;
                set_board(&pattern, std::vector<std::string>(board_rows, "......"));
                for (int i = 0; i < board_cells; i++) pattern.cells[i] = players[1]->pattern[i];
                EXPECT_EQ(board_text(players[0]), board_text(&pattern)) << "round " << round + 1;
                players[0]->score = 100 + round;
                players[1]->score = 200 + round;
                players[0]->super_meter = 3;
                players[1]->slide_x = 4;
                match.balance = c.winners[round] == 0 ? balance_limit : -balance_limit;
                decided = true;
            }
            last_scores[0] = players[0]->score;
            last_scores[1] = players[1]->score;
        };
        play_match();
        EXPECT_EQ(round + 1, static_cast<int>(c.winners.size()));
        EXPECT_EQ(match.round_number, c.final_round);
        EXPECT_EQ(quit_request, c.final_quit);
    }
}

TEST_F(Rounds, TwoPeoplePlayToThreeRoundsWonThenChooseARematchWithTheSameCharactersOrTheTitle) {
    struct Case {
        std::vector<std::vector<int>> matches;  // the winners by round of each match played
        std::vector<int> rematch_keys;  // the keys that answer each match's end: a rematch, or the title
    };
    const Case cases[] = {
        {{{0, 1, 0, 1, 0}}, {KEY_RIGHT, KEY_SLASH}},                           // P1 3-2; P2 sends both home
        {{{1, 1, 1}, {0, 0, 1, 0}}, {KEY_E, KEY_D, KEY_Q}},          // P2 3-0; rematch; P1 3-1
    };
    for (const Case& c : cases) {
        reset_game_state();
        between_frames = run_script;
        set_game_mode(mode_two_players);
        players[0]->character = players[1]->character = 1;  // the same character twice
        size_t match_index = 0, key_index = 0;
        int round = -1, end_frame = 0;
        bool decided = false;
        script = [&] {
            for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
            if (round_phase == phase_match_end) {  // the end card: let go, then the next answering key
                EXPECT_EQ(round + 1, static_cast<int>(c.matches[match_index].size()));
                const int won = rounds_to_win, lost = static_cast<int>(c.matches[match_index].size()) - won;
                const bool left_won = c.matches[match_index].back() == 0;
                EXPECT_EQ(match.rounds_won[0], left_won ? won : lost);
                EXPECT_EQ(match.rounds_won[1], left_won ? lost : won);
                // P1's break, held since the last round, chooses nothing until it is let go.
                if (end_frame++ == 0) key[KEY_E] = 1;
                else if (end_frame % 2 == 1) key[c.rematch_keys.at(key_index++)] = 1;
                return;
            }
            end_frame = 0;
            if (round_phase == phase_banner) {  // the round counts as won as soon as it is decided
                EXPECT_EQ(match.rounds_won[0] + match.rounds_won[1], round + 1);
            }
            if (round_phase == phase_result && round + 1 == static_cast<int>(c.matches[match_index].size()))
                key[KEY_E] = 1;
            if (round_phase == phase_battle && (round < 0 || decided)) {  // the first frame of a round
                if (match.round_number == 1 && round >= 0) {  // a rematch starts
                    match_index++;
                    round = -1;
                }
                round++;
                decided = false;
                ASSERT_LT(round, static_cast<int>(c.matches.at(match_index).size())) << "a round too many";
                EXPECT_EQ(match.round_number, round + 1);
                for (int side : {0, 1}) EXPECT_EQ(players[side]->character, 1) << "round " << round + 1;
                if (round == 0) {
                    EXPECT_EQ(players[0]->score + players[1]->score, 0);
                    EXPECT_EQ(match.rounds_won[0] + match.rounds_won[1], 0);
                }
            }
            if (round_phase == phase_battle && !decided) {
                players[0]->score = players[1]->score = 100;
                match.balance = c.matches[match_index][round] == 0 ? balance_limit : -balance_limit;
                decided = true;
            }
        };
        do {
            play_match();
        } while (rematch_wanted());
        EXPECT_EQ(match_index + 1, c.matches.size());
        EXPECT_EQ(key_index, c.rematch_keys.size());
        EXPECT_EQ(quit_request, quit_none);
    }
}


TEST_F(Rounds, OnlineEachPlayerChoosesOnTheirOwnCardAndEscapeGivesUpTheWait) {
    constexpr int click_on_title = -1;  // the mouse pressed and let go over TITLE
    struct Case {
        int held_before;  // down as the card opens, let go on its next frame
        std::vector<int> presses;          // one a frame, each let go on the next
        std::vector<EndChoice> after;      // the choice after each press
    };
    const Case cases[] = {
        {0, {KEY_Z}, {end_rematch}},
        {0, {KEY_RIGHT, KEY_ENTER}, {end_undecided, end_title}},
        {0, {KEY_RIGHT, KEY_LEFT, KEY_X}, {end_undecided, end_undecided, end_rematch}},
        {KEY_Z, {KEY_RIGHT, KEY_Z}, {end_undecided, end_title}},  // the break held from the battle chooses nothing
        {0, {KEY_Z, KEY_LEFT, KEY_ESC}, {end_rematch, end_rematch, end_title}},  // waiting: only ESC gives up
        {0, {click_on_title}, {end_title}},
    };
    for (const Case& c : cases) {
        EndCard card;
        int frame = 0;
        auto next_frame = [&](int down) {
            for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
            mouse_x = 150, mouse_y = 120, mouse_b = down == click_on_title;
            if (down > 0) key[down] = 1;
            return online_end_frame(&card, frame++);
        };
        next_frame(c.held_before);
        EXPECT_EQ(next_frame(0), end_undecided);
        for (size_t k = 0; k < c.presses.size(); k++) {
            next_frame(c.presses[k]);
            EXPECT_EQ(next_frame(0), c.after[k]) << "press " << k << " of a case held " << c.held_before;
        }
    }
    for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
    mouse_b = 0;
}

}  // namespace
