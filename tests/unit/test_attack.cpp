// Attacks: bottom rows converted into junk cups of the attacker's pattern, the flash, the super.
#include "board/attack.h"
#include "board/breaking.h"
#include "board/matches.h"
#include "board_fixture.h"
#include "game/flow.h"
#include "state/match.h"

namespace {

const std::vector<std::string> attacker_pattern = {"112233", "233112", "331122", "122331", "223311",
                                                   "311223", "112233", "233112", "331122", "122331"};
const std::vector<std::string> attacker_pattern_as_junk = {
    "aabbcc", "bccaab", "ccaabb", "abbcca", "bbccaa", "caabbc", "aabbcc", "bccaab", "ccaabb", "abbcca"};
const std::vector<std::string> victim_board = {"123123", "2a1231", "312312", "12312c", "231231",
                                               "312312", "123123", "231231", "312312", "123123"};

class Attack : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        attacker = players[0];
        victim = players[1];
        set_pattern(attacker, attacker_pattern);
        set_board(victim, victim_board);
    }
    Player* attacker = nullptr;
    Player* victim = nullptr;
};

TEST_F(Attack, TakeAttackConvertsTheBottomRowsIntoJunk) {
    victim->group[cell_at(2, 8)] = 2;  // a waiting cup keeps its group as the new junk cup
    victim->super_col = 3;  // the super cup stays where it was
    victim->super_row = 9;

    take_attack(victim, 3);
    EXPECT_EQ(board_text(victim), lines({"123123", "2a1231", "312312", "12312c", "231231", "312312",
                                         "123123", "bccaab", "ccaabb", "abbcca"}));
    EXPECT_EQ(victim->attack_rows, 3);
    EXPECT_EQ(victim->attack_flash, 8);
    EXPECT_EQ(victim->group[cell_at(2, 8)], 2);
    EXPECT_EQ(victim->super_col, 3);
    EXPECT_EQ(victim->super_row, 9);
    EXPECT_EQ(board_text(attacker), lines(top_rows({})));
}

TEST_F(Attack, NoRowsOrTooManyRows) {
    take_attack(victim, 0);
    EXPECT_EQ(board_text(victim), lines(victim_board));
    EXPECT_EQ(victim->attack_rows, 0);
    EXPECT_EQ(victim->attack_flash, 8);

    // More rows than the board has convert the whole board; a 0 in the pattern leaves an
    // empty cell that carries the junk marker.
    attacker->pattern[cell_at(4, 0)] = 0;
    take_attack(victim, 12);
    std::vector<std::string> converted = attacker_pattern_as_junk;
    converted[0][4] = '.';
    EXPECT_EQ(board_text(victim), lines(converted));
    EXPECT_EQ(victim->junk[cell_at(4, 0)], 1);
    EXPECT_EQ(victim->attack_rows, 12);
}

TEST_F(Attack, FlashShowsFivePicturesOverEightFramesOnTheConvertedRowsOnly) {
    take_attack(victim, 2);
    const int pictures[] = {0, 1, 1, 2, 2, 3, 3, 4};
    for (int f = 0; f < 8; f++) {
        break_step(victim);
        const Rgb flash = pop_tile(32 * pictures[f], 128);
        SCOPED_TRACE(f);  // rows 8 and 9 flash, row 7 does not
        expect_pixels(victim->board_bitmap, {{40, 136, flash}, {88, 152, flash}, {40, 116, cups_tile(16, 16)}});
        EXPECT_EQ(victim->attack_flash, 7 - f);
    }
    break_step(victim);
    EXPECT_EQ(victim->attack_flash, 0);
    EXPECT_EQ(pixel(victim->board_bitmap, 40, 136), cups_tile(64, 16));  // the junk cup again
}

TEST_F(Attack, SuperBreaksEveryCupForABonusAndConvertsTheWholeOpponentBoard) {
    // Twelve cups besides a square that holds the super cup, three of them junk, in a cascade.
    Player* p = attacker;
    set_board(p, bottom_rows({"..3a21", "11b2c3", "113212"}));
    ASSERT_EQ(find_matches(p), 1);
    p->super_col = 0;
    p->super_row = 9;
    p->super_meter = 4;
    p->chain = 1;

    for (int f = 0; f < 5; f++) break_step(p);
    EXPECT_EQ(p->score, 8);
    break_step(p);  // the super cup leaves the board: the fifth star
    EXPECT_EQ(p->score, 8 + 5000);
    EXPECT_EQ(p->super_active, 1);
    EXPECT_EQ(p->super_meter, 0);
    EXPECT_EQ(p->pop_frame, 0);
    EXPECT_EQ(p->anim_queue[0], anim_super);
    EXPECT_EQ(p->anim_queue[1], 0);
    for (int i = 0; i < board_cells; i++) {
        EXPECT_EQ(p->junk[i], 0);
        EXPECT_EQ(p->group[i], p->cells[i] != cup_empty ? 1 : 0);
    }
    EXPECT_EQ(board_text(victim), lines(attacker_pattern_as_junk));
    EXPECT_EQ(victim->attack_rows, 10);
    EXPECT_EQ(victim->attack_flash, 8);

    break_step(p);  // all twelve, junk included, score chain + 1 each
    EXPECT_EQ(p->score, 8 + 5000 + 24);
    EXPECT_EQ(match.balance, 8 + 24);
    for (int f = 0; f < 6; f++) break_step(p);
    EXPECT_EQ(p->state, falling);
    EXPECT_EQ(board_text(p), lines(top_rows({})));
    EXPECT_EQ(p->score, 8 + 5000 + 24);
}

}  // namespace
