// The two characters' attack patterns: ten lines of six cup types each, opening boards without
// any line of four or 2 x 2 square.
#include <fstream>
#include <sstream>

#include "board/matches.h"
#include "board_fixture.h"

namespace {

// The pattern file from the game folder (the working directory under ctest), or else from the
// source tree's data folder.
std::ifstream open_pattern(const std::string& name) {
    std::ifstream in(name);
    if (in) return in;
    const std::string source = __FILE__;
    const std::string data_dir = source.substr(0, source.rfind('/') + 1) + "../../data/";
    return std::ifstream(data_dir + name);
}

// Reads the file into the record's pattern; reports every line that is not six cup types.
void read_pattern(const std::string& name, Player* p) {
    std::ifstream in = open_pattern(name);
    ASSERT_TRUE(in) << name;
    std::string line;
    int row = 0;
    while (std::getline(in, line)) {
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        ASSERT_LT(row, board_rows) << name << ": more than ten lines";
        std::istringstream numbers(line);
        int cup, col = 0;
        while (numbers >> cup) {
            ASSERT_LT(col, board_cols) << name << " line " << row + 1 << ": more than six numbers";
            EXPECT_TRUE(cup >= 1 && cup <= cup_types) << name << " line " << row + 1 << ": " << cup;
            p->pattern[cell_at(col++, row)] = cup;
        }
        EXPECT_TRUE(numbers.eof()) << name << " line " << row + 1 << ": not a number";
        EXPECT_EQ(col, board_cols) << name << " line " << row + 1;
        row++;
    }
    EXPECT_EQ(row, board_rows) << name;
}

class Patterns : public BoardTest {};

TEST_F(Patterns, EachPatternIsAnOpeningBoardWithoutMatches) {
    for (int k = 0; k < 2; k++) {
        const std::string name = k == 0 ? "pattern1.txt" : "pattern2.txt";
        SCOPED_TRACE(name);
        Player* p = players[k];
        read_pattern(name, p);
        for (int i = 0; i < board_cells; i++) p->cells[i] = p->pattern[i];
        EXPECT_EQ(find_matches(p), 0) << board_text(p);
    }
    int same = 0;
    for (int i = 0; i < board_cells; i++) same += players[0]->pattern[i] == players[1]->pattern[i];
    EXPECT_LT(same, board_cells / 2);  // the two characters impose clearly different boards
}

}  // namespace
