// The computer opponent: its decision rules on small scripts, its pacing, and the proof of the
// game's own script "AI_list.txt" on boards where one slide completes a shape.
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <set>
#include <thread>

#include "board/matches.h"
#include "board/slide.h"
#include "board_fixture.h"
#include "control/cpu.h"
#include "game/flow.h"
#include "state/match.h"

namespace {

constexpr int slide_frames = 4;
constexpr uint8_t no_decision = cmd_action;

// A record of one cell (every cup fits it as its base) with the given move code.
std::string any_cup(int code) { return std::to_string(code) + " 0,0 0,0 0,0\n"; }

// The board at rest with its cursor on (col, row) and on this axis, the computer after no slide.
void start_at(Player* p, int col, int row, Axis axis = row_mode) {
    p->cursor_col = col;
    p->cursor_row = row;
    p->axis = axis;
    p->slide_x = p->slide_y = 0;
    p->ai_last = ai_no_slide;
}

class Cpu : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        saved_script = ai_list;
        ai_list.clear();
        match.game_mode = mode_cpu_vs_cpu;  // decide on every idle frame unless a test says otherwise
    }
    void TearDown() override {
        ai_list = saved_script;
        key[KEY_P] = 0;
    }

    // Gives the computer a script with this text.
    void use_script(const std::string& text) { ASSERT_EQ(parse_ai_script(text, &ai_list), ""); }

    uint8_t decide() {
        cpu_command(p);
        return p->command;
    }

    // One frame of the computer's board without breaking: its command, then slide, cursor, action.
    void play_frame() {
        cpu_command(p);
        move_and_slide(p);
    }

    // The decision is the random fallback's: the action and a random number % 32, the game's random
    // numbers seeded with `seed`.
    void expect_random_keys(unsigned seed, const char* what = "") {
        Random dice;
        seed_random(&dice, seed);
        const uint8_t expected = static_cast<uint8_t>(cmd_action + next_random(&dice) % 32);
        seed_random(&match.random, seed);
        EXPECT_EQ(decide(), expected) << what;
    }

    // A board of empty cells with cups of type 1 at the given cells.
    void cups_at(std::initializer_list<std::array<int, 2>> cells) {
        set_board(p, top_rows({}));
        for (const auto& c : cells) p->cells[cell_at(c[0], c[1])] = 1;
    }

    std::vector<AiRecord> saved_script;
};

TEST_F(Cpu, ScanStartsAtTheCursorRunsRightThenDownAndWrapsRound) {
    use_script(any_cup(2));  // even code: the step shows the base cell's column
    start_at(p, 4, 6);

    // The cursor's row first, rightward past column 5 to column 1, before the row below.
    cups_at({{1, 6}, {5, 7}});
    EXPECT_EQ(decide(), cmd_action | cmd_left | cmd_toggle);

    // Then the rows below, from row 9 round to row 0: row 2 comes before row 5.
    cups_at({{0, 5}, {5, 2}});
    EXPECT_EQ(decide(), cmd_action | cmd_right | cmd_toggle);
    EXPECT_EQ(p->ai_last, ai_no_slide);

    // The cursor's own cell comes first of all: the slide is made there.
    cups_at({{1, 6}, {4, 6}});
    EXPECT_EQ(decide(), cmd_action | cmd_up | cmd_toggle);

    // Odd code: the step shows the row. Row 9 comes before row 2.
    use_script(any_cup(1));
    p->cursor_col = 0;
    p->axis = column_mode;
    cups_at({{3, 2}, {5, 9}});
    EXPECT_EQ(decide(), cmd_action | cmd_down | cmd_toggle);

    // Records go in file order: the first that fits anywhere wins over a later one at the cursor.
    use_script("2 0,1 0,2 0,3\n1 0,0 0,0 0,0\n");
    p->axis = row_mode;
    p->cursor_row = 0;
    cups_at({{0, 0}, {4, 5}, {4, 6}, {4, 7}, {4, 8}});
    EXPECT_EQ(decide(), cmd_action | cmd_right | cmd_toggle);
}

TEST_F(Cpu, AlignedSlideAddsItsDirectionAndTheToggleFromTheOtherAxis) {
    struct Case {
        int code;
        uint8_t in_row_mode, in_column_mode;
    };
    const Case cases[] = {
        {0, cmd_down | cmd_toggle, cmd_down},
        {1, cmd_left, cmd_left | cmd_toggle},
        {2, cmd_up | cmd_toggle, cmd_up},
        {3, cmd_right, cmd_right | cmd_toggle},
    };
    start_at(p, 2, 5);
    for (const Case& c : cases) {
        use_script(any_cup(c.code));
        for (Axis axis : {row_mode, column_mode}) {
            SCOPED_TRACE("code " + std::to_string(c.code) + ", axis " + std::to_string(axis));
            cups_at({{2, 5}});
            p->axis = axis;
            p->ai_last = ai_no_slide;
            EXPECT_EQ(decide(), cmd_action | (axis == row_mode ? c.in_row_mode : c.in_column_mode));
            EXPECT_EQ(p->ai_last, c.code);
        }
    }
}

TEST_F(Cpu, CursorStepsTowardTheBaseCellByPlainComparison) {
    // Code 0 two columns right of the cursor, in row mode: turn and step, step, then turn and
    // slide in the same frame.
    use_script(any_cup(0));
    cups_at({{3, 4}});
    start_at(p, 1, 4);
    const int expected[][2] = {{cmd_action | cmd_right | cmd_toggle, ai_no_slide},
                               {cmd_action | cmd_right, ai_no_slide},
                               {cmd_action | cmd_down, 0}};
    for (const auto& e : expected) {
        play_frame();
        EXPECT_EQ(p->command, e[0]);
        EXPECT_EQ(p->ai_last, e[1]);
    }

    // Column 5 from column 0: five steps right, never one step left round the edge.
    cups_at({{5, 4}});
    p->slide_y = 0;
    p->cursor_col = 0;
    for (int step = 0; step < 5; step++) {
        play_frame();
        EXPECT_EQ(p->command, cmd_action | cmd_right) << "step " << step;
    }

    // Row 0 from row 9: nine steps up, turning to row mode on the first.
    use_script(any_cup(1));
    cups_at({{3, 0}});
    p->cursor_row = 9;
    for (int step = 0; step < 9; step++) {
        play_frame();
        EXPECT_EQ(p->command, cmd_action | cmd_up | (step == 0 ? cmd_toggle : 0)) << "step " << step;
    }
}

TEST_F(Cpu, ASlideThatUndoesTheLastOneIsRefusedAndTheScanGoesOn) {
    use_script(any_cup(3) + any_cup(2));
    start_at(p, 2, 5);

    // After a row-left slide, row right at the cursor is passed over; the same record's next base
    // cell, in row 7, is stepped toward.
    cups_at({{2, 5}, {4, 7}});
    p->ai_last = 1;
    EXPECT_EQ(decide(), cmd_action | cmd_down);
    EXPECT_EQ(p->ai_last, ai_no_slide);

    // With no other base cell, the later record is taken: column up after row left is allowed.
    cups_at({{2, 5}});
    p->ai_last = 1;
    EXPECT_EQ(decide(), cmd_action | cmd_up | cmd_toggle);
    EXPECT_EQ(p->ai_last, 2);

    // After a cursor step every slide is allowed.
    p->ai_last = ai_no_slide;
    EXPECT_EQ(decide(), cmd_action | cmd_right);

    // Column down after column up is refused too, and when nothing else fits the command goes back
    // to the action alone before the random keys are added.
    use_script(any_cup(0));
    p->ai_last = 2;
    expect_random_keys(5);
    EXPECT_EQ(p->ai_last, 2);

    // Row left after column up is no reversal.
    use_script(any_cup(1));
    EXPECT_EQ(decide(), cmd_action | cmd_left);
    EXPECT_EQ(p->ai_last, 1);
}

TEST_F(Cpu, NothingToFollowGivesRandomKeys) {
    set_board(p, diagonal_board);  // no four cells of one type in any record's shape below
    unsigned seed = 1;
    for (const char* text : {"", "1 1,0 2,0 3,0\n0 0,1 0,2 0,3\n"}) {
        use_script(text);
        for (int decision = 0; decision < 3; decision++, seed++) {
            expect_random_keys(seed, text);
            EXPECT_EQ(p->ai_last, ai_no_slide) << text;
        }
    }

    // Numbers may be hexadecimal or octal, pairs may have white space after the comma and records
    // may run across line breaks; every decision starts again from the first record.
    use_script("0x3 0,\n0 00, 0\n0,0\n");
    EXPECT_EQ(decide(), cmd_action | cmd_right);
    EXPECT_EQ(decide(), cmd_action | cmd_right);

    // An empty base cell starts no candidate, even when its three other cells are empty too.
    use_script("1 1,0 2,0 3,0\n");
    set_board(p, top_rows({}));
    expect_random_keys(7);

    // The random keys cover every combination of directions and toggle, always with the action.
    ai_list.clear();
    std::set<int> seen;
    for (int decision = 0; decision < 2000; decision++) {
        const uint8_t command = decide();
        ASSERT_TRUE(command & cmd_action);
        seen.insert(command & ~cmd_action);
    }
    EXPECT_EQ(seen.size(), 32u);
}

TEST_F(Cpu, PacingPulsePeriodsFromRoundOneToEight) {
    const int period[] = {56, 28, 19, 14, 12, 10, 8, 7};  // floor(55 / round) + 1
    for (int round = 1; round <= 8; round++) {
        match.round_number = static_cast<int8_t>(round);
        match.ai_frame_accum = 0;
        match.ai_go = 0;
        std::vector<int> pulses;
        const int t = period[round - 1];
        for (int frame = 1; frame <= 3 * t; frame++) {
            ai_pacing();
            if (match.ai_go != 0) pulses.push_back(frame);
            match.ai_go = 0;
        }
        EXPECT_EQ(pulses, (std::vector<int>{t, 2 * t, 3 * t})) << "round " << round;
    }

    // Pulses do not add up.
    match.ai_go = 1;
    for (int frame = 0; frame < 30; frame++) ai_pacing();
    EXPECT_EQ(match.ai_go, 1);
}

TEST_F(Cpu, APulseWaitsForAnIdleBoardAndHoldingPStopsOnlyADueDecision) {
    use_script(any_cup(3));
    cups_at({{0, 0}});
    match.game_mode = mode_vs_cpu;

    // P is held while no decision is due, which must not wait for it. A guard lets P go after a
    // long while, so that a wrong wait fails instead of hanging.
    key[KEY_P] = 1;
    std::atomic<bool> stop_guard{false}, guard_released{false};
    std::thread guard([&] {
        for (int k = 0; k < 5000 && !stop_guard; k++) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (!stop_guard) {
            guard_released = true;
            key[KEY_P] = 0;
        }
    });
    // No pulse: nothing is decided.
    EXPECT_EQ(decide(), no_decision);
    EXPECT_EQ(p->ai_last, ai_no_slide);
    // A pulse stays pending while the board breaks or slides.
    match.ai_go = 1;
    p->state = breaking;
    EXPECT_EQ(decide(), no_decision);
    p->state = ready;
    p->slide_x = 8;
    EXPECT_EQ(decide(), no_decision);
    p->slide_y = -4;
    p->slide_x = 0;
    EXPECT_EQ(decide(), no_decision);
    EXPECT_EQ(match.ai_go, 1);
    stop_guard = true;
    guard.join();
    EXPECT_FALSE(guard_released) << "P held the computer although no decision was due";

    // The next idle frame consumes it: the decision waits until P is let go. The frame after has none.
    p->slide_y = 0;
    std::atomic<bool> released{false};
    std::thread player([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        released = true;
        key[KEY_P] = 0;
    });
    const uint8_t command = decide();
    const bool released_before = released;
    player.join();
    EXPECT_TRUE(released_before);
    EXPECT_EQ(command, cmd_action | cmd_right);
    EXPECT_EQ(match.ai_go, 0);
    EXPECT_EQ(decide(), no_decision);

    // Playing both boards: every idle frame decides, and a pending pulse is used up on the way.
    match.game_mode = mode_cpu_vs_cpu;
    match.ai_go = 1;
    EXPECT_EQ(decide(), cmd_action | cmd_right);
    EXPECT_EQ(match.ai_go, 0);
    for (int frame = 0; frame < 3; frame++) EXPECT_EQ(decide(), cmd_action | cmd_right);
    players[1]->cells[cell_at(0, 0)] = 1;
    cpu_command(players[1]);
    EXPECT_EQ(players[1]->command, cmd_action | cmd_right);
}

// ---- Reading a script ----

TEST(AiScript, EveryFaultIsNamedWithItsLineAndNothingElseIsAFault) {
    const struct {
        const char* text;
        const char* fault;  // "" when the text is a whole script
        size_t records;
    } cases[] = {
        {"", "", 0},
        {"\xEF\xBB\xBF" "1 -5,9 5,-9 0,0\n\n", "", 1},  // a byte-order mark is skipped
        {"1 1,0 2,0 3,0\n4 0,0 0,0 0,0\n", "2: the move code 4 is not 0 to 3", 1},
        {"-1 1,0 2,0 3,0", "1: the move code -1 is not 0 to 3", 0},
        {"1 6,0 0,0 0,0", "1: the column offset 6 is not -5 to 5", 0},
        {"1 0,0 0,-10 0,0", "1: the row offset -10 is not -9 to 9", 0},
        {"1 0,0 0,0 0,99999999999999999999999", "1: the row offset 9999999999999999 is not -9 to 9", 0},
        {"3 0;0 0,0 0,0", "1: a comma must follow the column offset, not \";0\"", 0},
        {"3 0 ,0 0,0 0,0", "1: a comma must follow the column offset with no space before it", 0},
        {"\n\n1 0,0 0,0 0,x", "3: the row offset is \"x\", not a number", 0},
        {"1 0,0 0,0 0,0\ncups\n", "2: the move code is \"cups\", not a number", 1},
        {"1 0,0 0,0\x01 0,0", "1: the column offset is \"\\x01\", not a number", 0},
        {"1 1,0\n2,0 3", "1: the last record is cut short: a record is 7 numbers, \"CODE COL,ROW COL,ROW COL,ROW\"", 0},
        {"0 0,0 0,0 0,0\n\n1 1,", "3: the last record is cut short: a record is 7 numbers, \"CODE COL,ROW COL,ROW COL,ROW\"", 1},
    };
    for (const auto& c : cases) {
        std::vector<AiRecord> records;
        EXPECT_EQ(parse_ai_script(c.text, &records), c.fault) << c.text;
        EXPECT_EQ(records.size(), c.records) << c.text;
    }
    std::vector<AiRecord> records;
    EXPECT_EQ(parse_ai_script(std::string("1 0,0 0,0 0,0\n\0", 15), &records), "2: the move code is \"\\x00\", not a number");

    // The file itself: missing, and read whole.
    const std::string missing = read_ai_script("no_such_script.txt");
    EXPECT_EQ(missing.rfind("no_such_script.txt is missing from ", 0), 0u) << missing;
    EXPECT_TRUE(ai_list.empty());
}

// ---- The game's script ----

int wrapped(int v, int n) { return ((v % n) + n) % n; }

bool matches_now(const Player* p) {
    Player copy = *p;
    return find_matches(&copy) > 0;
}

// Cups 1 and 2 in a checkerboard (no line and no square, and after any one slide still none: a slid
// line makes runs of three at most), with cups 3 at the record's four cells for base cell (col, row).
std::vector<std::string> record_board(const AiRecord& r, int col, int row) {
    std::vector<std::string> rows(board_rows, "212121");
    for (int y = 1; y < board_rows; y += 2) rows[y] = "121212";
    rows[row][col] = '3';
    for (int k = 0; k < 3; k++) rows[wrapped(row + r.dr[k], board_rows)][wrapped(col + r.dc[k], board_cols)] = '3';
    return rows;
}

TEST_F(Cpu, EveryRecordOfTheScriptCompletesAShapeWithOneSlide) {
    ASSERT_EQ(read_ai_script("AI_list.txt"), "");
    const std::vector<AiRecord> records = ai_list;
    for (const AiRecord& r : records) {
        SCOPED_TRACE(testing::Message() << "record " << r.code << " " << r.dc[0] << "," << r.dr[0] << " " << r.dc[1]
                                        << "," << r.dr[1] << " " << r.dc[2] << "," << r.dr[2]);
        ai_list = {r};
        int completed = 0;
        for (int row = 0; row < board_rows; row++) {
            for (int col = 0; col < board_cols; col++) {
                SCOPED_TRACE("base cell " + std::to_string(col) + "," + std::to_string(row));
                set_board(p, record_board(r, col, row));
                ASSERT_EQ(std::count(p->cells, p->cells + board_cells, 3), 4) << "the record names a cell twice";
                if (matches_now(p)) continue;  // the four cups already form a shape here
                // The cursor in the line to slide, elsewhere in it; the computer decides and the
                // engine slides over four frames, the action coming with the commit.
                start_at(p, r.code % 2 ? (col + 3) % board_cols : col, r.code % 2 ? row : (row + 5) % board_rows);
                for (int f = 0; f < slide_frames; f++) play_frame();
                ASSERT_EQ(p->ai_last, r.code);
                if (marked_cells(p) == 0) continue;  // the shape would lie across an edge here
                ASSERT_TRUE(marked_cells(p) == 4 && marked_cells(p, 3) == 4)
                    << "the slide matched other cups:\n" << board_text(p);
                completed++;
            }
        }
        EXPECT_GT(completed, 0) << "the record's slide completes no shape";
    }
}

// A shape: its cells relative to its top-left cell.
struct Shape {
    const char* name;
    int cols, rows;
    std::array<std::array<int, 2>, 4> cells;
};
const Shape shapes[] = {
    {"vertical line", 1, 4, {{{0, 0}, {0, 1}, {0, 2}, {0, 3}}}},
    {"horizontal line", 4, 1, {{{0, 0}, {1, 0}, {2, 0}, {3, 0}}}},
    {"square", 2, 2, {{{0, 0}, {1, 0}, {0, 1}, {1, 1}}}},
};

// Four cups 3 that form a square on the board taken as wrapping round its edges.
bool square_round_the_edges(const Player* p) {
    auto three = [p](int c, int r) { return p->cells[cell_at(c % board_cols, r % board_rows)] == 3; };
    for (int c = 0; c < board_cols; c++)
        for (int r = 0; r < board_rows; r++)
            if (three(c, r) && three(c + 1, r) && three(c, r + 1) && three(c + 1, r + 1)) return true;
    return false;
}

// The shape's four cups alone on the board, then the slide of the line through `cell` undone with
// the engine. Returns true when that slide carried one of the cups round the board's edge.
bool undo_a_slide(Player* p, const Shape& s, int left, int top, std::array<int, 2> cell, uint8_t undo) {
    std::vector<std::string> rows = top_rows({});
    for (const auto& c : s.cells) rows[top + c[1]][left + c[0]] = '3';
    set_board(p, rows);
    const int col = left + cell[0], row = top + cell[1];
    const bool row_slide = undo == cmd_left || undo == cmd_right;
    const int edge_col = undo == cmd_left ? 0 : board_cols - 1, edge_row = undo == cmd_up ? 0 : board_rows - 1;
    const bool round_the_edge = row_slide ? rows[row][edge_col] == '3' : rows[edge_row][col] == '3';
    start_at(p, col, row, row_slide ? row_mode : column_mode);
    for (int f = 0; f < slide_frames; f++) {
        p->command = f == 0 ? undo : 0;
        move_and_slide(p);
    }
    return round_the_edge;
}

TEST_F(Cpu, TheScriptFindsEveryShapeThatOneSlideCompletes) {
    ASSERT_EQ(read_ai_script("AI_list.txt"), "");
    int boards = 0;
    for (const Shape& s : shapes) {
        for (int top = 0; top + s.rows <= board_rows; top++) {
            for (int left = 0; left + s.cols <= board_cols; left++) {
                for (const auto& cell : s.cells) {
                    for (uint8_t undo : {cmd_left, cmd_right, cmd_up, cmd_down}) {
                        const bool round_the_edge = undo_a_slide(p, s, left, top, cell, undo);
                        if (matches_now(p)) continue;  // the shape moved along its own line
                        boards++;
                        SCOPED_TRACE(std::string(s.name) + " at " + std::to_string(left) + "," +
                                     std::to_string(top) + " undone by command " + std::to_string(undo) +
                                     " through " + std::to_string(left + cell[0]) + "," +
                                     std::to_string(top + cell[1]) + ":\n" + board_text(p));
                        // From the corner, the computer steps to the line and makes its first slide.
                        start_at(p, 0, 0);
                        int frame = 0;
                        for (; p->ai_last == ai_no_slide && frame < 20; frame++) play_frame();
                        ASSERT_NE(p->ai_last, ai_no_slide) << "no record fits";
                        for (int f = 1; f < slide_frames; f++) play_frame();
                        if (!round_the_edge) {
                            EXPECT_GT(marked_cells(p, 3), 0) << "the first slide completes no shape";
                        } else if (&s != &shapes[2]) {
                            // A line may first land across the opposite edge; it is finished there.
                            for (; frame < 80 && marked_cells(p, 3) == 0; frame++) play_frame();
                            EXPECT_GT(marked_cells(p, 3), 0);
                        } else {
                            // The same four cups are also one slide from the square across the edge,
                            // which the computer cannot tell apart: either square is made.
                            EXPECT_TRUE(marked_cells(p, 3) > 0 || square_round_the_edges(p));
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(boards, 1000);
}

}  // namespace
