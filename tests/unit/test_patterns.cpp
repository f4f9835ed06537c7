// The two characters' attack patterns, read from the game folder by the game's own loader: sixty cup
// types each, opening boards without any line of four or 2 x 2 square.
#include "board/matches.h"
#include "board_fixture.h"
#include "present/character_data.h"

namespace {

class Patterns : public BoardTest {};

TEST_F(Patterns, EachPatternIsAnOpeningBoardWithoutMatches) {
    for (int k = 0; k < 2; k++) {
        SCOPED_TRACE(k == 0 ? "pattern1.txt" : "pattern2.txt");
        Player* p = players[k];
        prepare_round(p, k);
        for (int i = 0; i < board_cells; i++) {
            // A value that is no cup type, or a file cut short, leaves an empty cell.
            EXPECT_TRUE(p->pattern[i] >= 1 && p->pattern[i] <= cup_types) << "cell " << i;
            p->cells[i] = p->pattern[i];
        }
        EXPECT_EQ(find_matches(p), 0) << board_text(p);
    }
    int same = 0;
    for (int i = 0; i < board_cells; i++) same += players[0]->pattern[i] == players[1]->pattern[i];
    EXPECT_LT(same, board_cells / 2);  // the two characters impose clearly different boards
}

}  // namespace
