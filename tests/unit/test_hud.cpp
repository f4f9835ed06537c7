// The bottom panel's scores and balance bar, and the names and rounds won over the boards.
#include "board_fixture.h"
#include "present/hud.h"
#include "game/flow.h"
#include "state/match.h"

namespace {

class Hud : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        clear_to_color(bottom_panel, makecol(40, 80, 40));
    }

    // The digits drawn from (x, y), read back from the centre of each 16 x 16 place.
    std::string digits_at(int x, int y) {
        std::string shown;
        for (int k = 0; k < 6; k++) {
            const Rgb c = pixel(bottom_panel, x + 16 * k + 8, y + 8);
            char digit = '?';
            for (int d = 0; d < 10; d++)
                if (c == digit_tile(d)) digit = static_cast<char>('0' + d);
            shown += digit;
        }
        return shown;
    }
};

TEST_F(Hud, ScoresShowSixDigitsWithLeadingZeros) {
    const struct {
        int score;
        const char* shown;
    } cases[] = {{0, "000000"}, {42, "000042"}, {100, "000100"}, {987654, "987654"}, {1000042, "000042"}};
    for (const auto& c : cases) {
        p->score = c.score;
        draw_score(p, 8, 8);
        EXPECT_EQ(digits_at(8, 8), c.shown) << "score " << c.score;
    }
    players[1]->score = 5070;
    draw_score(players[1], 152, 8);
    EXPECT_EQ(digits_at(152, 8), "005070");
    EXPECT_EQ(pixel(bottom_panel, 151, 16), in_16_bit(40, 80, 40));  // nothing drawn left of it
}

TEST_F(Hud, BalanceBarIsBlackUpToItsBoundaryAndWhiteAfter) {
    const Rgb black = in_16_bit(0, 0, 0), white = in_16_bit(255, 255, 255), grey = in_16_bit(128, 128, 128);
    const struct {
        int balance, stored, last_black;
    } cases[] = {{0, 0, 128}, {10, 10, 138}, {-30, -30, 98}, {70, 64, 192}, {-80, -64, 64}};
    for (const auto& c : cases) {
        match.balance = c.balance;
        draw_balance_bar();
        EXPECT_EQ(match.balance, c.stored) << "balance " << c.balance << " is kept in range";
        for (int x = 65; x < 192; x++) {
            const Rgb expected = x <= c.last_black ? black : white;
            ASSERT_EQ(pixel(bottom_panel, x, 28), expected) << "balance " << c.balance << " at x " << x;
        }
        // The grey outline is drawn last, over both parts; nothing right of it.
        expect_pixels(bottom_panel, {{64, 28, grey}, {192, 28, grey}, {100, 24, grey}, {150, 24, grey}, {100, 32, grey},
                                     {150, 32, grey}, {193, 28, in_16_bit(40, 80, 40)}});
    }
}

// Runs of pixels of colour c along a row of the top panel, from x0 to x1.
int runs_of(Rgb c, int y, int x0, int x1) {
    int runs = 0;
    for (int x = x0; x <= x1; x++) runs += pixel(top_panel, x, y) == c && !(pixel(top_panel, x - 1, y) == c);
    return runs;
}

TEST_F(Hud, EachSideShowsAPipPerRoundItNeedsLitForEachRoundWon) {
    struct Case {
        GameMode mode;
        int16_t won[2];
        int lit[2], unlit[2];  // pips over the left half, over the right half
    };
    for (const Case& c : {Case{mode_vs_cpu, {2, 0}, {2, 0}, {6, 1}}, Case{mode_two_players, {1, 2}, {1, 2}, {2, 1}},
                          Case{mode_two_players, {3, 0}, {3, 0}, {0, 3}}}) {
        clear_to_color(top_panel, makecol(0, 0, 0));
        match.game_mode = c.mode;
        match.rounds_won[0] = c.won[0];
        match.rounds_won[1] = c.won[1];
        draw_side_labels();
        const int y = 6;  // through the pips' middle
        for (int side : {0, 1}) {
            EXPECT_EQ(runs_of(in_16_bit(255, 200, 64), y, 128 * side, 128 * side + 127), c.lit[side]) << side;
            EXPECT_EQ(runs_of(in_16_bit(60, 38, 26), y, 128 * side, 128 * side + 127), c.unlit[side]) << side;
        }
    }
}

}  // namespace
