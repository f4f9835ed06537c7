// The two characters' attack patterns in the game folder: sixty cup types each, opening boards
// without any line of four or 2 x 2 square.
#include "board/matches.h"
#include "board_fixture.h"
#include "present/character_files.h"

namespace {

class Patterns : public BoardTest {};

TEST_F(Patterns, EachPatternIsAnOpeningBoardWithoutMatches) {
    for (int k = 0; k < 2; k++) {
        Player* p = players[k];
        const char* file = k == 0 ? "pattern1.txt" : "pattern2.txt";
        SCOPED_TRACE(file);
        FILE* in = std::fopen(file, "r");
        ASSERT_NE(in, nullptr);
        EXPECT_EQ(read_pattern(in, file, p->pattern), "");
        std::fclose(in);
        for (int i = 0; i < board_cells; i++) {
            EXPECT_NE(p->pattern[i], cup_empty) << "cell " << i;
            p->cells[i] = p->pattern[i];
        }
        EXPECT_EQ(find_matches(p), 0) << board_text(p);
    }
    int same = 0;
    for (int i = 0; i < board_cells; i++) same += players[0]->pattern[i] == players[1]->pattern[i];
    EXPECT_LT(same, board_cells / 2);  // the two characters impose clearly different boards
}

}  // namespace
