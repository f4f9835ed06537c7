#include "control/cpu.h"

#include <allegro.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "state/player.h"
#include "platform/assets.h"
#include "platform/files.h"
#include "state/match.h"

std::vector<AiRecord> ai_list;

namespace {

// Two move codes whose difference is 2 undo each other.
constexpr int reverse_distance = 2;

// The command bit and the axis of each slide, by move code.
struct Slide {
    uint8_t direction;
    int8_t axis;
};
constexpr Slide slides[] = {
    {cmd_down, column_mode},  // move_column_down
    {cmd_left, row_mode},     // move_row_left
    {cmd_up, column_mode},    // move_column_up
    {cmd_right, row_mode},    // move_row_right
};

// A pulse once the accumulator, as a signed byte, passes the strength's threshold: easy decides about
// half as often as normal, hard about twice as often. Normal's 55 is the computer as it always was.
constexpr int pacing_thresholds[strengths] = {110, 55, 27};
constexpr int random_commands = 32;   // the fallback presses a random number % 32: any directions and toggle
constexpr auto pause_look = std::chrono::milliseconds(1);  // nap between looks at the P key

// v modulo n, taken into 0..n-1 also for negative v.
int wrap(int v, int n) { return (v % n + n) % n; }

bool is_odd(int code) { return code % 2 != 0; }

bool board_idle(const Player* p) { return p->state == ready && p->slide_x == 0 && p->slide_y == 0; }

// True when the base cell holds a cup and the record's three other cells hold the same type.
bool record_fits(const Player* p, const AiRecord& r, int col, int row) {
    const int32_t cup = p->cells[cell_at(col, row)];
    if (cup == cup_empty) return false;
    for (int k = 0; k < 3; k++)
        if (p->cells[cell_at(wrap(col + r.dc[k], board_cols), wrap(row + r.dr[k], board_rows))] != cup)
            return false;
    return true;
}

// The cursor already stands in the line the record slides.
bool cursor_aligned(const Player* p, int code, int col, int row) {
    return is_odd(code) ? row == p->cursor_row : col == p->cursor_col;
}

// The command of a record's slide: its direction, with the toggle when the board is on the other
// axis, so that it turns and slides in the same frame.
uint8_t aligned_slide(const Player* p, int code) {
    const Slide& s = slides[code];
    return s.direction | (p->axis != s.axis ? cmd_toggle : 0);
}

// One cursor step toward the base cell's column (even codes) or row (odd codes), turning the board
// to the axis on which the cursor moves that way. The direction comes from the plain comparison of
// the two indices, never the short way round the board.
uint8_t cursor_step(const Player* p, int code, int col, int row) {
    if (is_odd(code)) return (row > p->cursor_row ? cmd_down : cmd_up) | (p->axis == column_mode ? cmd_toggle : 0);
    return (col > p->cursor_col ? cmd_right : cmd_left) | (p->axis == row_mode ? cmd_toggle : 0);
}

// Scans the board with one record, from the cursor's cell rightward and then downward, both with
// wrap-round. Returns true when the decision is made: a slide, or a step toward a base cell. A slide
// that would undo the previous one is passed over and the scan goes on.
bool scan_record(Player* p, const AiRecord& r) {
    for (int i = 0; i < board_rows; i++) {
        for (int j = 0; j < board_cols; j++) {
            const int col = (p->cursor_col + j) % board_cols;
            const int row = (p->cursor_row + i) % board_rows;
            if (!record_fits(p, r, col, row)) continue;
            if (!cursor_aligned(p, r.code, col, row)) {
                p->command |= cursor_step(p, r.code, col, row);
                p->ai_last = ai_no_slide;
                return true;
            }
            if (std::abs(p->ai_last - r.code) == reverse_distance) continue;
            p->command |= aligned_slide(p, r.code);
            p->ai_last = static_cast<int8_t>(r.code);
            return true;
        }
    }
    return false;
}

// Whether the computer decides this frame: on a pending pulse, or on every idle frame when it plays
// both boards.
bool decision_due() {
    if (match.ai_go > 0) {
        match.ai_go--;
        return true;
    }
    return match.game_mode == mode_cpu_vs_cpu;
}

// P holds the computer: the game stops until it is released (or the window is closed).
void wait_while_held() {
    while (key[KEY_P] && !close_requested()) std::this_thread::sleep_for(pause_look);
}

// Tries every record of the script in file order; false when none made a decision.
bool follow_script(Player* p) {
    for (const AiRecord& r : ai_list)
        if (scan_record(p, r)) return true;
    return false;
}

}  // namespace

std::string read_ai_script(const char* file) {
    ai_list.clear();
    std::vector<uint8_t> bytes;
    const std::string fault = read_game_file(file, &bytes);
    if (!fault.empty()) return std::string(file) + " " + fault;
    const std::string line_fault = parse_ai_script(std::string(bytes.begin(), bytes.end()), &ai_list);
    if (line_fault.empty()) return "";
    ai_list.clear();
    return std::string(file) + ":" + line_fault;
}

void cpu_command(Player* p) {
    p->command = cmd_action;  // 1. the action bit stays set whatever follows
    if (!board_idle(p)) return;  // 2. only a ready board with no slide moving decides
    if (!decision_due()) return;  // 3. a pacing pulse, or no pacing at all
    wait_while_held();  // 4. P holds the game
    if (ai_scratch) clear_to_color(ai_scratch, mask_colour());  // 5. the scratch picture
    if (follow_script(p)) return;  // 6. the first record that fits
    p->command |= static_cast<uint8_t>(next_random(&match.random) % random_commands);  // 7. nothing fits: random keys
}

int pacing_threshold(int strength) {
    return pacing_thresholds[strength >= 0 && strength < strengths ? strength : strength_normal];
}

void ai_pacing() {
    match.ai_frame_accum = static_cast<int8_t>(match.ai_frame_accum + match.round_number);
    if (match.ai_frame_accum > pacing_threshold(match.ai_strength)) {
        match.ai_go = 1;
        match.ai_frame_accum = 0;
    }
}
