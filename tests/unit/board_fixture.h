// Shared by the board engine tests: a fixture on fresh headless players, and boards as text.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/player.h"
#include "headless.h"
#include "shell/assets.h"

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
