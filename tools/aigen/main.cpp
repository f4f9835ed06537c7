// cupclash-aigen: prints the computer opponent's script, "AI_list.txt", on standard output.
//
// The script is game data and lies in data/AI_list.txt; this program is how it was made, and is run
// by hand when the script is to change:  cupclash-aigen > data/AI_list.txt
//
// A record reads "code dc,dr dc,dr dc,dr": a move code and three cells given relative to a base cell.
// The computer takes the first record, in file order, whose four cells hold one cup type, and makes
// the record's slide: of the base cell's column for an even code (0 down, 2 up), of its row for an
// odd one (1 left, 3 right). Every record here is one way a single slide completes a shape that the
// action breaks: a vertical line of four, a horizontal line of four or a 2 x 2 square.
//
// How the records are found. Take a shape where the slide leaves it, and one line (a row or a
// column) through at least one of its cells. Undoing the slide on that line gives the four cells
// before the move; the base cell is one of them on the slid line. Every shape, every line through it
// and both directions give all the ways; no two give the same record.
//
// Offsets wrap round the board, and so do slides, but shapes never do: a record also fits four cups
// whose shape would straddle an edge after the move, and no record can tell those places apart.
// Such a move breaks nothing at once; a line left across an edge is finished by the torus-line
// records below (groups 1 and 3), a square stays there until the board changes under it.
//
// Order, most valuable first (the computer takes the first record that fits anywhere). Only the
// order is free: every record must stay, and the order was chosen with the match simulator
// (tools/sim), by the average frames per round when the computer plays itself.
//  1. A vertical line of four that lies across the board's top/bottom edge, moved up its column
//     until it no longer straddles the edge. Such torus lines are what the vertical-line records
//     leave behind when they fit across the edge, so this record turns those moves into matches one
//     or two slides later. Up comes before down: an existing line near the bottom, where cups
//     gather, stays a line when it moves up (with down first, rounds ran about 14% longer).
//  2. Vertical lines. Breaking four cups of one column drops everything above them four rows, so its
//     cups meet new neighbours on both sides: the most follow-up matches (chains) per break.
//  3. A horizontal line of four across the left/right edge, moved along its row until it no longer
//     straddles it. It goes after the vertical lines: finishing it takes one to three slides, while
//     a vertical line needs one; first in the script it was the most used record (a quarter of all
//     slides) and rounds ran about 6% longer.
//  4. Horizontal lines. Four columns drop one row each and keep their order among themselves; they
//     straddle the edge in half of the places they fit (then group 3 finishes them).
//  5. 2 x 2 squares, last although they fit most often: a square that a slide completes across an
//     edge can never be moved off it by one slide, and the two columns (or rows) of such a square
//     invite each other's slide in turn, so the computer can circle at an edge. With squares first,
//     rounds ran twice as long and some hit the simulator's frame cap.
// A group of torus lines must come before the records of its own shape: after them, the edge fits
// of those records repeat without end and rounds stall (a tenth of the rounds hit the frame cap).
#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace {

struct Cell {
    int col, row;
};

// A shape the action breaks, as four cells with the top-left one at 0,0.
struct Shape {
    const char* name;
    std::array<Cell, 4> cells;
};

// A slide and the step each cup of the slid line makes.
struct Slide {
    int code;
    bool moves_row;  // odd codes slide the base cell's row, even codes its column
    int dc, dr;
};

enum ShapeId { vertical, horizontal, square };
constexpr Shape shapes[] = {
    {"vertical line", {{{0, 0}, {0, 1}, {0, 2}, {0, 3}}}},
    {"horizontal line", {{{0, 0}, {1, 0}, {2, 0}, {3, 0}}}},
    {"square", {{{0, 0}, {1, 0}, {0, 1}, {1, 1}}}},
};

constexpr Slide slides[] = {
    {0, false, 0, 1},   // column down
    {1, true, -1, 0},   // row left
    {2, false, 0, -1},  // column up
    {3, true, 1, 0},    // row right
};

struct Record {
    int code;
    Cell base;
    std::array<Cell, 3> others;
    int shape;               // ShapeId
    bool whole_shape_moves;  // all four cups lie on the slid line
};

// The script's groups of records, most valuable first (see the top of this file); within a group
// the records go by slide code in the order given, then by the slid line, top or left first.
struct Group {
    ShapeId shape;
    bool whole_shape_moves;
    std::vector<int> codes;
};
const Group script_order[] = {
    {vertical, true, {2, 0}},      // a column's line of four across the top/bottom edge
    {vertical, false, {1, 3}},     // a vertical line completed by a row slide
    {horizontal, true, {1, 3}},    // a row's line of four across the left/right edge
    {horizontal, false, {0, 2}},   // a horizontal line completed by a column slide
    {square, false, {0, 1, 2, 3}},
};

bool on_line(const Slide& s, int line, Cell c) { return s.moves_row ? c.row == line : c.col == line; }

// The record that makes `shape` with slide `s` of `line`: the cells as they were before the move.
Record record_for(int shape, const Slide& s, int line) {
    std::array<Cell, 4> before = shapes[shape].cells;
    int moved = 0;
    for (Cell& c : before) {
        if (!on_line(s, line, c)) continue;
        c.col -= s.dc;
        c.row -= s.dr;
        moved++;
    }
    // A slide keeps its cups on their line, so the base cell is any of them there: the first.
    const auto base = std::find_if(before.begin(), before.end(), [&](Cell c) { return on_line(s, line, c); });
    Record r{s.code, *base, {}, shape, moved == 4};
    int k = 0;
    for (const Cell& c : before)
        if (&c != &*base) r.others[k++] = {c.col - base->col, c.row - base->row};
    return r;
}

// Every way one slide completes each shape.
std::vector<Record> all_records() {
    std::vector<Record> records;
    for (int shape = 0; shape < static_cast<int>(std::size(shapes)); shape++) {
        for (const Slide& s : slides) {
            std::vector<int> lines;
            for (const Cell& c : shapes[shape].cells) {
                const int line = s.moves_row ? c.row : c.col;
                if (std::find(lines.begin(), lines.end(), line) == lines.end()) lines.push_back(line);
            }
            for (int line : lines) records.push_back(record_for(shape, s, line));
        }
    }
    return records;
}

}  // namespace

int main() {
    const std::vector<Record> records = all_records();
    std::size_t written = 0;
    for (const Group& g : script_order) {
        for (int code : g.codes) {
            for (const Record& r : records) {
                if (r.shape != g.shape || r.whole_shape_moves != g.whole_shape_moves || r.code != code) continue;
                std::printf("%d %d,%d %d,%d %d,%d\n", r.code, r.others[0].col, r.others[0].row, r.others[1].col,
                            r.others[1].row, r.others[2].col, r.others[2].row);
                written++;
            }
        }
    }
    // Every way is in the script, once.
    if (written != records.size()) {
        std::fprintf(stderr, "cupclash-aigen: the order places %zu of %zu records\n", written, records.size());
        return 1;
    }
    return 0;
}
