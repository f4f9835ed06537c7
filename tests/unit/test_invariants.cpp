// Long seeded streams of random key presses on the left board: the board stays well formed, no
// match survives the end of a turn, and the same seed plays the same game.
#include <cstdlib>
#include <random>

#include "board/attack.h"
#include "board/matches.h"
#include "board/turn.h"
#include "control/controls.h"
#include "board_fixture.h"
#include "game/flow.h"
#include "state/match.h"

namespace {

constexpr int stream_frames = 6000;

bool in(int v, int low, int high) { return v >= low && v <= high; }

// The first rule of a well-formed board that the record breaks, or "" when it keeps them all.
std::string broken_rule(const Player* p) {
    if (!in(p->cursor_row, 0, 9) || !in(p->cursor_col, 0, 5)) return "cursor outside the board";
    if (p->slide_x % 4 != 0 || !in(p->slide_x, -12, 12) || p->slide_y % 4 != 0 || !in(p->slide_y, -12, 12))
        return "slide offset out of its steps";
    if (p->slide_x != 0 && p->slide_y != 0) return "two slides at once";
    for (int i = 0; i < board_cells; i++) {
        if (!in(p->cells[i], 0, 3)) return "cell value outside 0..3";
        if (!in(p->junk[i], 0, 1)) return "junk marker outside 0..1";
        if (p->group[i] < 0) return "negative group marker";
    }
    if (p->super_col != no_super_col) {
        if (!in(p->super_col, 0, 5) || !in(p->super_row, 0, 9)) return "super cup outside the board";
        if (p->cells[cell_at(p->super_col, p->super_row)] == cup_empty) return "super cup on an empty cell";
    }
    if (!in(p->super_meter, 0, 4)) return "super meter outside 0..4";
    if (!in(p->state, ready, refilling)) return "state outside 0..4";
    if (!in(p->pop_frame, 0, 5)) return "pop frame outside 0..5";
    if (p->refill_offset % 8 != 0 || !in(p->refill_offset, 0, 96)) return "refill offset out of its steps";
    if (p->state == ready && (p->chain != 0 || p->super_active != 0)) return "ready inside a turn";
    return "";
}

// At the end of a turn the board as it settled (the refilled rows left out) holds no match.
std::string match_left_at_turn_end(const Player* p) {
    Player settled_board = *p;
    for (int i = 0; i < board_cells; i++) {
        if (p->group[i] != 0) return "group marker left at the end of a turn";
        if (i % board_rows < p->refill_rows) settled_board.cells[i] = cup_empty;
    }
    return find_matches(&settled_board) == 0 ? "" : "match left at the end of a turn";
}

class Invariants : public ::testing::Test {
protected:
    void SetUp() override { start_headless(); }

    // Plays a stream; returns its number of turns and sets `outcome` to what it leaves behind.
    int play_stream(unsigned seed, std::string* outcome = nullptr) {
        reset_game_state();
        seed_random(&match.random, seed);
        std::mt19937 dice(seed);
        Player* p = players[0];
        set_pattern(players[1], diagonal_board);
        p->state = falling;  // empty: the first frame refills it at random
        const int keys[] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_X, KEY_Z, KEY_S};
        const unsigned percent[] = {12, 12, 15, 15, 5, 25, 1};
        int turns = 0;
        for (int f = 0; f < stream_frames; f++) {
            for (int k = 0; k < 7; k++) key[keys[k]] = dice() % 100 < percent[k];
            if (f % 250 == 125) take_attack(p, 1 + static_cast<int>(dice() % 4));  // junk rows now and then
            const uint8_t before = p->state;
            board_step(p, poll_controls);
            const std::string broken = broken_rule(p);
            if (!broken.empty()) {
                ADD_FAILURE() << broken << " at frame " << f << "\n" << board_text(p);
                break;
            }
            const bool turn_ended = (before == breaking || before == falling) && (p->state == refilling || p->state == ready);
            if (turn_ended) {
                turns++;
                const std::string left = match_left_at_turn_end(p);
                if (!left.empty()) {
                    ADD_FAILURE() << left << " at frame " << f << "\n" << board_text(p);
                    break;
                }
            }
        }
        for (int k : keys) key[k] = 0;
        EXPECT_GT(p->score, 0);
        if (outcome) {
            *outcome = board_text(p);
            for (int v : {p->score, match.balance, turns, p->cursor_row, p->cursor_col, p->super_col, p->super_row,
                          p->super_meter})
                *outcome += std::to_string(v) + " ";
        }
        return turns;
    }
};

TEST_F(Invariants, RandomStreamsKeepTheBoardWellFormed) {
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        EXPECT_GT(play_stream(seed), 50);  // the stream really plays: many turns, points scored
    }
}

TEST_F(Invariants, TheSameSeedPlaysTheSameGame) {
    std::string first, again;
    play_stream(7, &first);
    play_stream(7, &again);
    EXPECT_EQ(first, again);
}

}  // namespace
