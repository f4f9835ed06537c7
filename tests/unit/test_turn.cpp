// Whole turns frame by frame: from the action to `ready`, chains, rewards and the command sources.
#include <algorithm>

#include "board/turn.h"
#include "board_fixture.h"
#include "control/controls.h"
#include "game/frame.h"
#include "game/flow.h"
#include "state/match.h"

namespace {

// game_mode 1: the left board `p` follows the keyboard.
class Turn : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        set_board(players[1], diagonal_board);
    }

    // Presses the action for one frame, then steps until the board is ready again (at most
    // `limit` frames). Returns the state after each frame, one digit per frame.
    std::string play_turn(int limit) {
        std::string states;
        key[KEY_Z] = 1;
        for (int f = 0; f < limit; f++) {
            board_step(p, poll_controls);
            key[KEY_Z] = 0;
            states += static_cast<char>('0' + p->state);
            if (p->state == ready) break;
        }
        return states;
    }
};

TEST_F(Turn, WholeRowTurnFallsAndRefillsRowZeroInTwentyOneFrames) {
    std::vector<std::string> rows(diagonal_board.begin(), diagonal_board.end() - 1);
    rows.push_back("111111");
    set_board(p, rows);

    // Pop, fall by one row, settle with no match and refill in the same frame, slide the strip
    // in for twelve frames, and the fourteenth frame of the refill hands the board back.
    EXPECT_EQ(play_turn(100), std::string("111111") + "2" + "4" + std::string(12, '4') + "0");
    const std::string board = board_text(p);
    EXPECT_EQ(board.substr(7), lines({diagonal_board.begin(), diagonal_board.end() - 1}));
    EXPECT_EQ(board.substr(0, 6).find('.'), std::string::npos) << board;  // row 0 refilled
    EXPECT_LT(p->super_col, board_cols);  // the super cup lands on the new row
    EXPECT_EQ(p->super_row, 0);
    EXPECT_EQ(p->score, 6);
    EXPECT_EQ(match.balance, 6);
    EXPECT_EQ(p->refill_offset, 0);
}

TEST_F(Turn, SettlesTurnIntoAttackRowsAnimationsAndPoints) {
    struct Reward {
        int settles;
        std::vector<int32_t> anims;
        int points;
    };
    const Reward table[] = {
        {1, {}, 0},
        {2, {1}, 100},
        {3, {2}, 500},
        {4, {3}, 2000},
        {5, {3, 1}, 2100},
        {6, {3, 2}, 2500},
        {7, {3, 2, 1}, 2600},
        {8, {3, 2, 1, 1}, 2700},
        {9, {3, 2, 1, 2}, 3100},
        {10, {3, 2, 1, 3}, 4600},
        {11, {3, 2, 1, 3, 1}, 4700},
        {12, {3, 2, 1, 3, 2}, 5100},
    };
    for (const Reward& r : table) {
        SCOPED_TRACE(testing::Message() << r.settles << " settles");
        reset_game_state();
        p = players[0];
        set_board(p, diagonal_board);  // settles with no match and nothing to refill
        set_board(players[1], diagonal_board);
        p->state = settled;
        p->chain = r.settles - 1;
        p->super_active = 1;
        board_step(p, poll_controls);
        EXPECT_EQ(p->state, ready);
        std::vector<int32_t> queued(p->anim_queue, p->anim_queue + anim_queue_slots);
        queued.erase(std::remove(queued.begin(), queued.end(), anim_idle), queued.end());
        EXPECT_EQ(queued, r.anims);
        EXPECT_EQ(p->score, r.points);
        EXPECT_EQ(p->chain, 0);
        EXPECT_EQ(p->super_active, 0);
        EXPECT_EQ(players[1]->attack_rows, r.settles - 1);
        const int junk = std::count(players[1]->junk, players[1]->junk + board_cells, 1);
        EXPECT_EQ(junk, board_cols * std::min(r.settles - 1, board_rows));
    }
}

TEST_F(Turn, QueueAnimationFillsTheFirstFreeSlot) {
    queue_animation(p, anim_reward_2);  // idle, nothing playing: slot 0
    EXPECT_EQ(p->anim_queue[0], anim_reward_2);

    p->anim_queue[0] = anim_idle;
    p->anim_frame = 3;  // the idle animation is playing: slot 0 is left alone
    queue_animation(p, anim_reward_1);
    for (int k = 0; k < 8; k++) queue_animation(p, anim_reward_3);
    queue_animation(p, anim_super);  // slots 1 to 9 taken: dropped, and slot 10 stays 0
    std::vector<int32_t> expected(anim_queue_slots, anim_reward_3);
    expected[0] = expected[10] = anim_idle;
    expected[1] = anim_reward_1;
    EXPECT_EQ(std::vector<int32_t>(p->anim_queue, p->anim_queue + anim_queue_slots), expected);
}

TEST_F(Turn, CommandSourceFollowsTheGameMode) {
    // Against the computer the left board takes the keys and the right one the computer; watching,
    // the computer plays both.
    const struct {
        GameMode mode;
        int board;
        bool keys;
    } cases[] = {{mode_vs_cpu, 0, true}, {mode_vs_cpu, 1, false}, {mode_cpu_vs_cpu, 0, false}, {mode_cpu_vs_cpu, 1, false}};
    for (const auto& c : cases) {
        reset_game_state();
        set_game_mode(c.mode);
        key[KEY_DOWN] = 1;
        board_step(players[c.board], command_sources[c.board]);
        EXPECT_EQ(players[c.board]->held_dirs, c.keys ? cmd_down : 0) << "mode " << int(c.mode) << " board " << c.board;
    }
}

TEST_F(Turn, CommandsOfABusyBoardAreLost) {
    set_board(p, diagonal_board);
    p->state = falling;
    key[KEY_X] = 1;
    board_step(p, poll_controls);  // falling -> settled -> refilling -> ready within the frame; the toggle is lost
    EXPECT_EQ(p->state, ready);
    EXPECT_EQ(p->axis, row_mode);
    board_step(p, poll_controls);  // still held: no new toggle
    EXPECT_EQ(p->axis, row_mode);
    key[KEY_X] = 0;
    board_step(p, poll_controls);
    key[KEY_X] = 1;
    board_step(p, poll_controls);
    EXPECT_EQ(p->axis, column_mode);
}

}  // namespace
