#include "control/tutorial.h"

#include <allegro.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "board/player.h"
#include "present/hud.h"
#include "shell/assets.h"
#include "shell/files.h"
#include "shell/frame.h"
#include "shell/match.h"
#include "shell/window.h"

int32_t tutorial_step = tutorial_walk;

namespace {

constexpr int page_passes = 100;              // ticks a page lasts: 4 seconds

// The walk, by position: the cursor moves down a row (or the column slides down), the row slides
// right (or the cursor moves right), back up, back left.
constexpr int walk_length = 4;
constexpr uint8_t walk[walk_length] = {cmd_down, cmd_right, cmd_up, cmd_left};

// The preset boards, row by row from row 0 (top), each row from column 0 (left).
using PresetRows = int8_t[board_cells];
constexpr PresetRows opening_pattern = {
    1, 2, 3, 1, 2, 3,
    2, 3, 1, 2, 3, 1,
    3, 1, 2, 3, 1, 2,
    1, 2, 3, 1, 2, 3,
    2, 3, 1, 2, 3, 1,
    3, 1, 2, 3, 1, 2,
    1, 2, 3, 1, 2, 3,
    2, 3, 1, 2, 3, 1,
    3, 1, 2, 3, 1, 2,
    1, 2, 3, 1, 2, 3,
};
constexpr PresetRows three_shapes = {
    0, 0, 0, 0, 0, 0,
    0, 1, 0, 0, 0, 0,
    0, 1, 0, 2, 2, 0,
    0, 1, 0, 2, 2, 0,
    0, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 3, 3, 3, 3, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
};
constexpr PresetRows chain_of_four = {
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 3, 3, 0, 2, 0,
    0, 2, 2, 0, 2, 0,
    0, 1, 1, 1, 1, 2,
    0, 2, 2, 3, 3, 2,
};

// The pages of the tutorial, by their place in the picture.
enum Page : int {
    page_welcome = 0,
    page_opening = 1,
    page_toggle = 2,
    page_shapes = 3,
    page_breaking = 4,
    page_chain = 5,
    page_chain_breaks = 6,
};

void copy_preset(const PresetRows& rows, int32_t* target) {
    for (int r = 0; r < board_rows; r++)
        for (int c = 0; c < board_cols; c++) target[cell_at(c, r)] = rows[r * board_cols + c];
}

bool idle(const Player* p) { return p->state == ready && p->slide_x == 0 && p->slide_y == 0; }

// Page k of the pictures: onto the bottom panel, or straight to the bottom half of the window.
void draw_page(BITMAP* pages, int page) {
    blit(pages, bottom_panel, 0, page * panel_height, 0, 0, screen_width, panel_height);
}

void show_page(BITMAP* pages, int page) { show_on_window(pages, page * panel_height, panel_height); }

}  // namespace

void tutorial_command(Player* p) {
    if (!idle(p)) return;  // 1. a busy board keeps its last command; the script waits
    switch (static_cast<TutorialStep>(tutorial_step)) {  // 2. the step's command
    case tutorial_walk:
        if (p->character >= 0 && p->character < walk_length) {
            p->command = walk[p->character];
            p->character = (p->character + 1) % walk_length;
        }
        break;
    case tutorial_toggle:
        p->command = cmd_toggle;
        p->character = 0;
        tutorial_step = tutorial_walk;
        break;
    case tutorial_act:
        p->command = cmd_action;
        tutorial_step = tutorial_rest;
        break;
    case tutorial_rest:
        p->command = 0;
        break;
    }
}

void load_preset_board(Player* p, int preset) {
    switch (preset) {
    case preset_opening: copy_preset(opening_pattern, p->pattern); break;
    case preset_shapes: copy_preset(three_shapes, p->cells); break;
    case preset_chain: copy_preset(chain_of_four, p->cells); break;
    default: break;  // no such preset
    }
}

void wait_page(bool frames) {
    for (int pass = 0; pass < page_passes; pass++) {
        if (escape_down()) return;    // 1. ESC cuts the page short
        if (frames) tutorial_frame();  // 2. the left board moves on
        wait_for_tick();               // 3. one tick a pass
    }
}

void run_tutorial() {
    Player* left = players[0];
    Player* right = players[1];

    // 1. The left board takes the script, starts falling and fills from the right board's pattern.
    game_mode = mode_tutorial;
    tutorial_step = tutorial_walk;
    left->first_fill = 1;
    left->character = 0;
    left->state = falling;

    // 2. The pages; without them there is no tutorial.
    std::string fault = picture_file_fault(tutorial_picture.name, tutorial_picture.width, tutorial_picture.height);
    BITMAP* pages = fault.empty() ? load_bitmap(tutorial_picture.name, nullptr) : nullptr;
    if (!pages) {
        if (fault.empty()) fault = "cannot be drawn";
        std::fprintf(stderr, "cupclash: picture \"%s\" %s, so no tutorial\n", tutorial_picture.name, fault.c_str());
        balance = 0;
        return;
    }

    // 3-5. The first page over the background alone.
    show_page(pages, page_welcome);
    blit(bg, top_panel, 0, 0, 0, 0, screen_width, panel_height);
    show_top_panel();
    wait_page(false);

    // 6. The right board lends the opening pattern to the left board's first fill; its own comes
    // back at the end.
    int32_t own_pattern[board_cells];
    std::memcpy(own_pattern, right->pattern, sizeof own_pattern);
    load_preset_board(right, preset_opening);

    // 7. The board fills and walks.
    show_page(pages, page_opening);
    wait_page(true);

    // 8. It toggles the axis and walks the other way.
    show_page(pages, page_toggle);
    tutorial_step = tutorial_toggle;
    wait_page(true);

    // 9. The three shapes, still.
    load_preset_board(left, preset_shapes);
    show_page(pages, page_shapes);
    tutorial_step = tutorial_rest;
    wait_page(true);

    // 10. They break, with the balance bar drawn once over the page.
    draw_page(pages, page_breaking);
    tutorial_step = tutorial_act;
    draw_balance_bar();
    show_on_window(bottom_panel, 0, panel_height);
    wait_page(true);

    // 11. The chain board, still.
    load_preset_board(left, preset_chain);
    show_page(pages, page_chain);
    wait_page(true);

    // 12. The chain breaks.
    show_page(pages, page_chain_breaks);
    tutorial_step = tutorial_act;
    wait_page(true);

    // 13. Nothing of the demonstration stays.
    balance = 0;
    std::memcpy(right->pattern, own_pattern, sizeof own_pattern);
    destroy_bitmap(pages);
}
