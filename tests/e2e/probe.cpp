// The end-to-end tests' eyes and hands where a shell tool falls short: it reads the game's window from
// a screenshot (cursor frame, board, score), plans a slide that makes a match, measures the captured
// sound, and asks the window to close as its close button would.
//
//   probe close WINDOW                          sends WM_DELETE_WINDOW to the window
//   probe pixel SHOT.ppm X Y                     prints "R G B" of one screenshot pixel
//   probe cursor SHOT.ppm OX OY                  prints "row R", "column C", "busy" or "none"
//   probe board SHOT.ppm OX OY CUPS.ppm          prints the left board, ten lines of six characters
//   probe score SHOT.ppm OX OY NUMBERS.ppm X Y   prints the six-digit score drawn at game (X, Y)
//   probe plan BOARD.txt                         prints "match", "row R left|right",
//                                                "column C up|down" or "none"
//   probe sound CAPTURE.raw OFFSET [END]         prints "LEFT RIGHT LEFT_ALONE RIGHT_ALONE": peaks
//                                                of what was played from byte OFFSET (to END)
//   probe panned CAPTURE.raw OFFSET              prints "LEFT RIGHT TOGETHER": peaks of what was
//                                                played from byte OFFSET panned to the left side
//                                                (64) and to the right (192), told apart when they
//                                                overlap, and the loudest moment of both at once
//   probe figure SHOT.ppm OX OY SHEET.ppm left|right
//                                                prints the frame of a character's sheet that the
//                                                bottom panel shows on that side, or "none"
//
// OX OY is where the game's window lies on the screenshot. Boards are written '.' for an empty cell,
// '1'..'3' for a cup and '?' for a cell that matches no tile.
#include <X11/Xlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Where the game draws: the left board's cells and its cursor frame on the top panel.
constexpr int board_x = 16, board_y = 16, cell = 16, cols = 6, rows = 10;
constexpr int frame_x = board_x - 2;  // outer left edge of any frame around the left board
constexpr int frame_y = board_y - 2;  // outer top edge
constexpr int frame_span = cell + 4;  // a frame around one line is 20 pixels across
constexpr int board_frame_height = rows * cell + 4;
constexpr int board_frame_width = cols * cell + 4;
// The super cup's badge covers this part of a cell; the board reader ignores it.
constexpr int badge_x0 = 5, badge_y0 = 4, badge_size = 8;
// Pixels at the edge of a cell may carry a frame drawn over them; the readers ignore them.
constexpr int inset = 2;

struct Rgb {
    int r = 0, g = 0, b = 0;
};

struct Image {
    int w = 0, h = 0;
    std::vector<unsigned char> data;
    Rgb at(int x, int y) const {
        if (x < 0 || y < 0 || x >= w || y >= h) return {-1000, -1000, -1000};
        const unsigned char* p = &data[3 * (static_cast<size_t>(y) * w + x)];
        return {p[0], p[1], p[2]};
    }
};

[[noreturn]] void die(const std::string& why) {
    std::cerr << "probe: " << why << "\n";
    std::exit(2);
}

int number(const char* text) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 0);
    if (!*text || *end) die(std::string("not a number: ") + text);
    return static_cast<int>(v);
}

// Reads a binary PPM (P6, maxval 255), as ImageMagick writes it.
Image read_ppm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) die("cannot read " + path);
    std::string magic;
    int maxval = 0;
    Image img;
    in >> magic;
    auto skip_comments = [&] {
        in >> std::ws;
        while (in.peek() == '#') {
            std::string line;
            std::getline(in, line);
            in >> std::ws;
        }
    };
    skip_comments();
    in >> img.w;
    skip_comments();
    in >> img.h;
    skip_comments();
    in >> maxval;
    in.get();
    if (magic != "P6" || maxval != 255 || img.w <= 0 || img.h <= 0) die(path + " is no 8-bit binary PPM");
    img.data.resize(3 * static_cast<size_t>(img.w) * img.h);
    in.read(reinterpret_cast<char*>(img.data.data()), static_cast<std::streamsize>(img.data.size()));
    if (!in) die(path + " is cut short");
    return img;
}

bool is_white(Rgb c) { return c.r >= 250 && c.g >= 250 && c.b >= 250; }
bool is_mask(Rgb c) { return c.r == 255 && c.g == 0 && c.b == 255; }
int distance(Rgb a, Rgb b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }

// ---- close ---------------------------------------------------------------------------------------

int close_window(int argc, char** argv) {
    if (argc != 3) die("usage: probe close WINDOW");
    Display* d = XOpenDisplay(nullptr);
    if (!d) die("cannot open the display");
    const Window w = static_cast<Window>(std::strtoul(argv[2], nullptr, 0));
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(d, w, False, NoEventMask, &e);
    XSync(d, False);
    XCloseDisplay(d);
    return sent ? 0 : 1;
}

// ---- cursor --------------------------------------------------------------------------------------

// True when the two-pixel white frame whose outer rectangle is (left, top)-(right, bottom), in game
// coordinates, is drawn whole.
bool frame_at(const Image& shot, int ox, int oy, int left, int top, int right, int bottom) {
    for (int k = 0; k < 2; k++) {
        const int l = left + k, t = top + k, r = right - k, b = bottom - k;
        for (int x = l; x <= r; x++)
            if (!is_white(shot.at(ox + x, oy + t)) || !is_white(shot.at(ox + x, oy + b))) return false;
        for (int y = t; y <= b; y++)
            if (!is_white(shot.at(ox + l, oy + y)) || !is_white(shot.at(ox + r, oy + y))) return false;
    }
    return true;
}

// Which frame is drawn around the left board: one line (the cursor of a ready board) or the whole
// board (a busy board).
int find_cursor(int argc, char** argv) {
    if (argc != 5) die("usage: probe cursor SHOT.ppm OX OY");
    const Image shot = read_ppm(argv[2]);
    const int ox = number(argv[3]), oy = number(argv[4]);
    auto framed = [&](int left, int top, int width, int height) {
        return frame_at(shot, ox, oy, left, top, left + width - 1, top + height - 1);
    };
    std::string seen = framed(frame_x, frame_y, board_frame_width, board_frame_height) ? "busy" : "none";
    for (int r = 0; r < rows && seen == "none"; r++)
        if (framed(frame_x, frame_y + cell * r, board_frame_width, frame_span)) seen = "row " + std::to_string(r);
    for (int c = 0; c < cols && seen == "none"; c++)
        if (framed(frame_x + cell * c, frame_y, frame_span, board_frame_height)) seen = "column " + std::to_string(c);
    std::cout << seen << "\n";
    return 0;
}

// ---- board and score -----------------------------------------------------------------------------

// How far a 16 x 16 area of the screenshot is from a sheet tile: the mean distance over the pixels the
// tile covers, where the tile's transparent pixels are compared with the background picture behind
// them instead. Pixels for which `skip` is true are left out.
template <typename Skip>
double tile_distance(const Image& shot, int sx, int sy, const Image& sheet, int tx, int ty, const Image& back,
                     int bx, int by, Skip skip) {
    long total = 0;
    int counted = 0;
    for (int y = 0; y < cell; y++) {
        for (int x = 0; x < cell; x++) {
            if (skip(x, y)) continue;
            const Rgb t = sheet.at(tx + x, ty + y);
            const Rgb want = is_mask(t) ? back.at(bx + x, by + y) : t;
            total += distance(shot.at(sx + x, sy + y), want);
            counted++;
        }
    }
    return counted ? static_cast<double>(total) / counted : 1e9;
}

// A cell that is farther than this from every tile is reported as unknown.
constexpr double far_from_every_tile = 60.0;

int read_board(int argc, char** argv) {
    if (argc != 7) die("usage: probe board SHOT.ppm OX OY CUPS.ppm BG.ppm");
    const Image shot = read_ppm(argv[2]);
    const int ox = number(argv[3]), oy = number(argv[4]);
    const Image cups = read_ppm(argv[5]);
    const Image bg = read_ppm(argv[6]);
    // Frames drawn over the cells' edges and the super cup's badge are no part of the cup.
    auto skip = [](int x, int y) {
        const bool edge = x < inset || y < inset || x >= cell - inset || y >= cell - inset;
        const bool badge = x >= badge_x0 && x < badge_x0 + badge_size && y >= badge_y0 && y < badge_y0 + badge_size;
        return edge || badge;
    };
    const int variants = cups.w / cell;  // still picture, shimmer frames, junk picture
    for (int r = 0; r < rows; r++) {
        std::string line;
        for (int c = 0; c < cols; c++) {
            const int gx = board_x + cell * c, gy = board_y + cell * r;
            // An empty cell shows the background.
            double best = tile_distance(shot, ox + gx, oy + gy, bg, gx, gy, bg, gx, gy, skip);
            char best_char = '.';
            for (int type = 1; type * cell < cups.h; type++) {
                for (int v = 0; v < variants; v++) {
                    const double d = tile_distance(shot, ox + gx, oy + gy, cups, cell * v, cell * type, bg, gx, gy, skip);
                    if (d < best) {
                        best = d;
                        best_char = static_cast<char>(v == variants - 1 ? 'a' + type - 1 : '0' + type);
                    }
                }
            }
            line += best > far_from_every_tile ? '?' : best_char;
        }
        std::cout << line << "\n";
    }
    return 0;
}

int read_score(int argc, char** argv) {
    if (argc != 9) die("usage: probe score SHOT.ppm OX OY NUMBERS.ppm CHAR_BG.ppm X Y");
    const Image shot = read_ppm(argv[2]);
    const int ox = number(argv[3]), oy = number(argv[4]);
    const Image numbers = read_ppm(argv[5]);
    const Image back = read_ppm(argv[6]);
    const int px = number(argv[7]), py = number(argv[8]);  // on the bottom panel
    constexpr int panel_y = 192, digits = 6;
    auto keep_all = [](int, int) { return false; };
    long score = 0;
    for (int k = 0; k < digits; k++) {
        const int x = px + cell * k;
        int best_digit = 0;
        double best = 1e18;
        for (int d = 0; d < 10; d++) {
            const double dist =
                tile_distance(shot, ox + x, oy + panel_y + py, numbers, cell * d, 0, back, x, py, keep_all);
            if (dist < best) {
                best = dist;
                best_digit = d;
            }
        }
        if (best > far_from_every_tile) die("no score digit at position " + std::to_string(k));
        score = score * 10 + best_digit;
    }
    std::cout << score << "\n";
    return 0;
}

// ---- plan ----------------------------------------------------------------------------------------

using Board = std::vector<std::string>;  // rows[r][c]

int cup_of(char ch) {
    if (ch >= '1' && ch <= '3') return ch - '0';
    if (ch >= 'a' && ch <= 'c') return ch - 'a' + 1;
    return 0;  // empty or unknown: never part of a match
}

// The match rules of the game: four in a column, four in a row, or a 2 x 2 square of one cup type.
bool has_match(const Board& b) {
    auto at = [&](int c, int r) { return cup_of(b[r][c]); };
    for (int c = 0; c < cols; c++) {
        for (int r = 0; r < rows; r++) {
            const int cup = at(c, r);
            if (cup == 0) continue;
            if (r + 3 < rows && at(c, r + 1) == cup && at(c, r + 2) == cup && at(c, r + 3) == cup) return true;
            if (c + 3 < cols && at(c + 1, r) == cup && at(c + 2, r) == cup && at(c + 3, r) == cup) return true;
            if (c + 1 < cols && r + 1 < rows && at(c + 1, r) == cup && at(c, r + 1) == cup && at(c + 1, r + 1) == cup)
                return true;
        }
    }
    return false;
}

// A row slides one cell toward column 5 (right) or column 0 (left), wrapping round; a column toward
// row 9 (down) or row 0 (up).
Board slid_row(Board b, int r, bool right) {
    std::rotate(b[r].begin(), right ? b[r].end() - 1 : b[r].begin() + 1, b[r].end());
    return b;
}

Board slid_column(Board b, int c, bool down) {
    std::string column;
    for (int r = 0; r < rows; r++) column += b[r][c];
    std::rotate(column.begin(), down ? column.end() - 1 : column.begin() + 1, column.end());
    for (int r = 0; r < rows; r++) b[r][c] = column[r];
    return b;
}

int plan(int argc, char** argv) {
    if (argc != 3) die("usage: probe plan BOARD.txt");
    std::ifstream in(argv[2]);
    Board b;
    for (std::string line; std::getline(in, line) && static_cast<int>(b.size()) < rows;) b.push_back(line);
    if (static_cast<int>(b.size()) != rows) die("a board has ten lines");
    for (const std::string& line : b)
        if (static_cast<int>(line.size()) != cols) die("a board line has six characters: " + line);
    if (has_match(b)) {
        std::cout << "match\n";
        return 0;
    }
    for (int r = 0; r < rows; r++)
        for (bool right : {true, false})
            if (has_match(slid_row(b, r, right))) {
                std::cout << "row " << r << (right ? " right" : " left") << "\n";
                return 0;
            }
    for (int c = 0; c < cols; c++)
        for (bool down : {true, false})
            if (has_match(slid_column(b, c, down))) {
                std::cout << "column " << c << (down ? " down" : " up") << "\n";
                return 0;
            }
    std::cout << "none\n";
    return 0;
}

// ---- sound ---------------------------------------------------------------------------------------

// The capture is raw unsigned 16-bit little-endian stereo: silence is 0x8000 on both channels. Prints
// the peak deviation from silence of the left and the right channel from byte OFFSET on (up to byte
// END when given), then the
// loudest left peak of a short stretch in which the left channel is at least twice as loud as the
// right, and the same for the right: a sound panned to one side shows in its "alone" figure even
// while the other side plays something at other moments.
int sound(int argc, char** argv) {
    if (argc != 4 && argc != 5) die("usage: probe sound CAPTURE.raw OFFSET [END]");
    std::ifstream in(argv[2], std::ios::binary);
    if (!in) die(std::string("cannot read ") + argv[2]);
    const long offset = std::strtol(argv[3], nullptr, 10) & ~3L;  // whole stereo frames
    const long end = argc == 5 ? std::strtol(argv[4], nullptr, 10) : -1;
    in.seekg(offset);
    long at = offset;
    constexpr int stretch = 512;  // frames: about 12 ms
    int peak[2] = {0, 0}, alone[2] = {0, 0}, block[2] = {0, 0};
    int in_block = 0;
    auto end_block = [&] {
        if (block[0] >= 2 * block[1]) alone[0] = std::max(alone[0], block[0]);
        if (block[1] >= 2 * block[0]) alone[1] = std::max(alone[1], block[1]);
        block[0] = block[1] = 0;
        in_block = 0;
    };
    unsigned char frame[4];
    while ((end < 0 || at + 4 <= end) && in.read(reinterpret_cast<char*>(frame), 4)) {
        at += 4;
        for (int ch = 0; ch < 2; ch++) {
            const int v = std::abs((frame[2 * ch] | frame[2 * ch + 1] << 8) - 0x8000);
            peak[ch] = std::max(peak[ch], v);
            block[ch] = std::max(block[ch], v);
        }
        if (++in_block == stretch) end_block();
    }
    end_block();
    std::cout << peak[0] << " " << peak[1] << " " << alone[0] << " " << alone[1] << "\n";
    return 0;
}

// A sound panned to 64 plays about three times louder on the left than on the right, and one panned
// to 192 the other way round: so 3 L - R holds only the left side's sounds and 3 R - L only the
// right side's, even while both play at once (each divided by 8 to stay on the scale of a peak).
// Prints both peaks from byte OFFSET on, then the loudest moment (a stretch of about 12 ms) at which
// both sides sound together: the smaller of its two peaks.
int panned(int argc, char** argv) {
    if (argc != 4) die("usage: probe panned CAPTURE.raw OFFSET");
    std::ifstream in(argv[2], std::ios::binary);
    if (!in) die(std::string("cannot read ") + argv[2]);
    in.seekg(std::strtol(argv[3], nullptr, 10) & ~3L);
    constexpr int stretch = 512;
    int peak[2] = {0, 0}, block[2] = {0, 0}, together = 0, in_block = 0;
    unsigned char frame[4];
    while (in.read(reinterpret_cast<char*>(frame), 4)) {
        const int l = (frame[0] | frame[1] << 8) - 0x8000, r = (frame[2] | frame[3] << 8) - 0x8000;
        block[0] = std::max(block[0], std::abs(3 * l - r) / 8);
        block[1] = std::max(block[1], std::abs(3 * r - l) / 8);
        if (++in_block < stretch) continue;
        for (int ch = 0; ch < 2; ch++) peak[ch] = std::max(peak[ch], block[ch]);
        together = std::max(together, std::min(block[0], block[1]));
        block[0] = block[1] = in_block = 0;
    }
    std::cout << peak[0] << " " << peak[1] << " " << together << "\n";
    return 0;
}

}  // namespace

// ---- characters ----------------------------------------------------------------------------------

// The frame of the sheet (frames of 192 rows stacked, magenta transparent) whose figure the bottom
// panel shows: drawn as it is on the left, mirrored over the panel's 256 columns on the right. Rows
// under the scores and the balance bar are left out, and a figure may be covered in places (by
// the other character or a thrown item): a frame matches when at most 5 % of its pixels differ.
int find_figure(int argc, char** argv) {
    if (argc != 7) die("usage: probe figure SHOT.ppm OX OY SHEET.ppm left|right");
    const Image shot = read_ppm(argv[2]);
    const int ox = number(argv[3]), oy = number(argv[4]) + 192;
    const Image sheet = read_ppm(argv[5]);
    const bool mirrored = std::string(argv[6]) == "right";
    constexpr int hud_rows = 37, tolerance = 24;  // 16-bit colour rounds each component
    int best = -1;
    double best_share = 1;
    for (int f = 0; f * 192 < sheet.h; f++) {
        int figure = 0, differ = 0;
        for (int y = hud_rows; y < 192 && f * 192 + y < sheet.h; y++)
            for (int x = 0; x < sheet.w; x++) {
                const Rgb c = sheet.at(x, f * 192 + y);
                if (is_mask(c)) continue;
                figure++;
                differ += distance(c, shot.at(ox + (mirrored ? 255 - x : x), oy + y)) > tolerance;
            }
        const double share = figure ? static_cast<double>(differ) / figure : 1;
        if (share < best_share) best = f, best_share = share;
    }
    if (best < 0 || best_share > 0.05) std::cout << "none\n";
    else std::cout << best << "\n";
    return 0;
}

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "close") return close_window(argc, argv);
    if (what == "pixel") {
        if (argc != 5) die("usage: probe pixel SHOT.ppm X Y");
        const Rgb c = read_ppm(argv[2]).at(number(argv[3]), number(argv[4]));
        std::cout << c.r << " " << c.g << " " << c.b << "\n";
        return 0;
    }
    if (what == "cursor") return find_cursor(argc, argv);
    if (what == "board") return read_board(argc, argv);
    if (what == "score") return read_score(argc, argv);
    if (what == "plan") return plan(argc, argv);
    if (what == "sound") return sound(argc, argv);
    if (what == "figure") return find_figure(argc, argv);
    if (what == "panned") return panned(argc, argv);
    die("unknown command \"" + what + "\" (close, pixel, cursor, board, score, plan, sound, panned, figure)");
}
