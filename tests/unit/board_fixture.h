// Shared by the board engine tests: a fixture on fresh headless players, and boards as text.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "state/match.h"
#include "headless.h"
#include "platform/assets.h"

// The diagonal opening board, (column + row) mod 3 + 1: no line of four and no square.
inline const std::vector<std::string> diagonal_board = {"123123", "231231", "312312", "123123", "231231",
                                                        "312312", "123123", "231231", "312312", "123123"};

// Rows of six characters joined the way board_text writes a board.
inline std::string lines(const std::vector<std::string>& rows) {
    std::string text;
    for (const std::string& r : rows) text += r + "\n";
    return text;
}

// A board of these top rows over empty ones, or of empty rows over these bottom ones.
inline std::vector<std::string> top_rows(std::vector<std::string> rows) {
    rows.resize(board_rows, "......");
    return rows;
}
inline std::vector<std::string> bottom_rows(std::vector<std::string> rows) {
    rows.insert(rows.begin(), board_rows - rows.size(), "......");
    return rows;
}

// A colour value as pixel() reads it back.
inline Rgb colour_of(int c) { return {getr(c), getg(c), getb(c)}; }

// Cells marked to break: all of them, or only those that hold `cup`.
inline int marked_cells(const Player* p, int cup = -1) {
    int n = 0;
    for (int i = 0; i < board_cells; i++) n += p->group[i] != 0 && (cup < 0 || p->cells[i] == cup);
    return n;
}

// Pixels of a picture and the colours they should have.
struct Wanted {
    int x, y;
    Rgb colour;
};
inline void expect_pixels(BITMAP* b, std::initializer_list<Wanted> wanted) {
    for (const Wanted& w : wanted) EXPECT_EQ(pixel(b, w.x, w.y), w.colour) << "pixel " << w.x << "," << w.y;
}

// Fresh players and globals for every test; `p` is the left board.
class BoardTest : public ::testing::Test {
protected:
    void SetUp() override {
        start_headless();
        reset_game_state();
        p = players[0];
    }
    Player* p = nullptr;
};
