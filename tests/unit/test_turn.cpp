// Whole turns frame by frame: from the action to `ready`, chains, rewards and the command sources.
#include <algorithm>
#include <cstdlib>

#include "board/turn.h"
#include "board_fixture.h"
#include "shell/match.h"

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
            board_step(p);
            key[KEY_Z] = 0;
            states += static_cast<char>('0' + p->state);
            if (p->state == ready) break;
        }
        return states;
    }
};

TEST_F(Turn, VerticalLineAtTheTopEndsTheTurnInSevenFrames) {
    set_board(p, {"323123", "331231", "312312", "323123", "231231",
                  "312312", "123123", "231231", "312312", "123123"});
    EXPECT_EQ(play_turn(100), "1111110");  // six frames of pop, then nothing falls or matches
    // No row was entirely empty: nothing refills and the column keeps its hole at the top.
    EXPECT_EQ(board_text(p).substr(0, 4 * 7), lines({".23123", ".31231", ".12312", ".23123"}));
    EXPECT_EQ(p->score, 4);
    EXPECT_EQ(balance, 4);
    EXPECT_EQ(p->chain, 0);
    EXPECT_EQ(p->anim_queue[0], 0);
    EXPECT_EQ(board_text(players[1]), lines(diagonal_board));
    EXPECT_EQ(players[1]->attack_rows, 0);  // an attack of no rows
    EXPECT_EQ(players[1]->attack_flash, 8);
}

TEST_F(Turn, WholeRowTurnFallsAndRefillsRowZeroInTwentyOneFrames) {
    std::vector<std::string> rows(diagonal_board.begin(), diagonal_board.end() - 1);
    rows.push_back("111111");
    set_board(p, rows);
    srand(3);  // the refill's six cups, then the super cup's column and row
    std::string new_row;
    for (int c = 0; c < board_cols; c++) new_row += static_cast<char>('1' + rand() % 3);
    const int super_col = rand() % 6;
    srand(3);

    // Pop, fall by one row, settle with no match and refill in the same frame, slide the strip
    // in for twelve frames, and the fourteenth frame of the refill hands the board back.
    EXPECT_EQ(play_turn(100), std::string("111111") + "2" + "4" + std::string(12, '4') + "0");
    std::vector<std::string> expected = {new_row};
    expected.insert(expected.end(), diagonal_board.begin(), diagonal_board.end() - 1);
    EXPECT_EQ(board_text(p), lines(expected));
    EXPECT_EQ(p->super_col, super_col);
    EXPECT_EQ(p->super_row, 0);
    EXPECT_EQ(p->score, 6);
    EXPECT_EQ(balance, 6);
    EXPECT_EQ(p->refill_offset, 0);
}

TEST_F(Turn, TheTutorialChainResolvesInFourSettles) {
    set_pattern(p, {"111111", "111111", "111111", "111111", "111111",
                    "111111", "111111", "123123", "231231", "312312"});
    set_board(p, bottom_rows({".33.2.", ".22.2.", ".11112", ".22332"}));  // the tutorial's chain
    std::vector<int> chain_at, score_at;
    std::string states;
    key[KEY_Z] = 1;
    for (int f = 0; f < 60 && (f == 0 || p->state != ready); f++) {
        board_step(p);
        key[KEY_Z] = 0;
        states += static_cast<char>('0' + p->state);
        chain_at.push_back(p->chain);
        score_at.push_back(p->score);
        if (f == 7) {  // the first settle: the 2s of columns 1 and 2 form a square
            EXPECT_EQ(board_text(p).substr(6 * 7), lines({"......", ".33.2.", ".22.22", ".22332"}));
        }
        if (f == 16) {  // the second: the 3s have fallen into a line of four
            EXPECT_EQ(board_text(p).substr(6 * 7), lines({"......", "....2.", "....22", ".33332"}));
        }
        if (f == 24) {  // the third: the 2s of column 4 fall beside those of column 5
            EXPECT_EQ(board_text(p).substr(6 * 7), lines({"......", "......", "....22", "....22"}));
        }
    }
    // Four waves of six pop frames; falls of 1, 2 and 1 rows between them; the fourth settle
    // finds an empty board, which refills whole.
    EXPECT_EQ(states, std::string("111111") + "2" + "3" + "111111" + "22" + "3" + "111111" + "2" + "3" +
                          "111111" + "4" + std::string(12, '4') + "0");
    ASSERT_EQ(states.size(), 45u);
    EXPECT_EQ(chain_at[7], 1);
    EXPECT_EQ(chain_at[16], 2);
    EXPECT_EQ(chain_at[24], 3);
    EXPECT_EQ(chain_at[31], 0);  // resolved in the frame of the fourth settle
    // Cups score chain + 1 each: 4 x 1, 4 x 2, 4 x 3, 4 x 4; three cascades add 2000.
    EXPECT_EQ(score_at[0], 4);
    EXPECT_EQ(score_at[8], 4 + 8);
    EXPECT_EQ(score_at[17], 4 + 8 + 12);
    EXPECT_EQ(score_at[25], 4 + 8 + 12 + 16);
    EXPECT_EQ(score_at[31], 40 + 2000);
    EXPECT_EQ(balance, 40);
    EXPECT_EQ(p->anim_queue[0], anim_reward_3);
    EXPECT_EQ(p->anim_queue[1], 0);
    // Three rows of the opponent become the left side's pattern, as junk.
    std::vector<std::string> attacked = diagonal_board;
    attacked[7] = "abcabc", attacked[8] = "bcabca", attacked[9] = "cabcab";
    EXPECT_EQ(board_text(players[1]), lines(attacked));
    EXPECT_EQ(players[1]->attack_rows, 3);
    // The empty board refilled whole with random cups; no junk, a super cup on it.
    for (int i = 0; i < board_cells; i++) {
        EXPECT_GE(p->cells[i], 1);
        EXPECT_EQ(p->junk[i], 0);
    }
    EXPECT_NE(p->super_col, no_super_col);
    EXPECT_EQ(p->super_active, 0);
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
        board_step(p);
        EXPECT_EQ(p->state, ready);
        std::vector<int32_t> queued;
        for (int32_t id : p->anim_queue)
            if (id != 0) queued.push_back(id);
        EXPECT_EQ(queued, r.anims);
        EXPECT_EQ(p->score, r.points);
        EXPECT_EQ(p->chain, 0);
        EXPECT_EQ(p->super_active, 0);
        EXPECT_EQ(players[1]->attack_rows, r.settles - 1);
        int junk = 0;
        for (int i = 0; i < board_cells; i++) junk += players[1]->junk[i];
        EXPECT_EQ(junk, board_cols * std::min(r.settles - 1, board_rows));
    }
}

TEST_F(Turn, QueueAnimationFillsTheFirstFreeSlot) {
    queue_animation(p, anim_reward_2);  // idle, nothing playing: slot 0
    EXPECT_EQ(p->anim_queue[0], anim_reward_2);

    reset_game_state();
    p = players[0];
    p->anim_frame = 3;  // the idle animation is playing: slot 0 is left alone
    queue_animation(p, anim_reward_1);
    EXPECT_EQ(p->anim_queue[0], 0);
    EXPECT_EQ(p->anim_queue[1], anim_reward_1);
    for (int k = 0; k < 8; k++) queue_animation(p, anim_reward_3);
    EXPECT_EQ(p->anim_queue[9], anim_reward_3);
    queue_animation(p, anim_super);  // slots 1 to 9 taken: dropped
    EXPECT_EQ(p->anim_queue[0], 0);
    for (int slot = 2; slot <= 9; slot++) EXPECT_EQ(p->anim_queue[slot], anim_reward_3);
    EXPECT_EQ(p->anim_queue[10], 0);
}

TEST_F(Turn, OpeningFrameSettlesEmptyAndCopiesTheOpponentsPattern) {
    set_pattern(players[1], diagonal_board);
    p->state = falling;  // as the per-round reset leaves it
    p->first_fill = 1;
    board_step(p);
    EXPECT_EQ(board_text(p), lines(diagonal_board));
    EXPECT_EQ(p->state, refilling);
    EXPECT_EQ(p->refill_offset, 96);
    EXPECT_EQ(p->chain, 0);
    EXPECT_EQ(p->score, 0);
    EXPECT_EQ(players[1]->attack_rows, 0);
    EXPECT_EQ(board_text(players[1]), lines(diagonal_board));
    for (int f = 0; f < 12; f++) board_step(p);
    EXPECT_EQ(p->state, refilling);
    board_step(p);
    EXPECT_EQ(p->state, ready);
}

TEST_F(Turn, CommandSourceFollowsTheGameMode) {
    key[KEY_DOWN] = 1;
    board_step(p);  // game_mode 1: the left board follows the keyboard
    EXPECT_EQ(p->cursor_row, 1);
    EXPECT_EQ(p->held_dirs, cmd_down);

    reset_game_state();
    game_mode = mode_cpu_vs_cpu;  // the computer plays the left board: the keys are not read
    key[KEY_DOWN] = 1;
    board_step(players[0]);
    EXPECT_EQ(players[0]->held_dirs, 0);

    reset_game_state();
    game_mode = 2;  // neither 0 nor 4: the board whose index + 1 equals the mode takes the keys
    key[KEY_DOWN] = 1;
    board_step(players[1]);
    EXPECT_EQ(players[1]->cursor_row, 1);
    EXPECT_EQ(players[1]->held_dirs, cmd_down);
}

TEST_F(Turn, CommandsOfABusyBoardAreLost) {
    set_board(p, diagonal_board);
    p->state = falling;
    key[KEY_X] = 1;
    board_step(p);  // falling -> settled -> refilling -> ready within the frame; the toggle is lost
    EXPECT_EQ(p->state, ready);
    EXPECT_EQ(p->axis, row_mode);
    board_step(p);  // still held: no new toggle
    EXPECT_EQ(p->axis, row_mode);
    key[KEY_X] = 0;
    board_step(p);
    key[KEY_X] = 1;
    board_step(p);
    EXPECT_EQ(p->axis, column_mode);
}

}  // namespace
