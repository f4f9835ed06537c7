#include "game/tutorial.h"

#include <allegro.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "control/tutorial_script.h"
#include "game/frame.h"
#include "platform/assets.h"
#include "platform/files.h"
#include "platform/ticks.h"
#include "platform/window.h"
#include "present/hud.h"
#include "state/match.h"

namespace {

constexpr int page_passes = 100;  // ticks a page lasts: 4 seconds

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

// Page k of the pictures: onto the bottom panel, or straight to the bottom half of the window.
void draw_page(BITMAP* pages, int page) {
    blit(pages, bottom_panel, 0, page * panel_height, 0, 0, screen_width, panel_height);
}

void show_page(BITMAP* pages, int page) { show_on_window(pages, page * panel_height, panel_height); }

}  // namespace

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
    set_game_mode(mode_tutorial);
    match.tutorial_step = tutorial_walk;
    left->first_fill = 1;
    left->character = 0;
    left->state = falling;

    // 2. The pages; without them there is no tutorial.
    std::string fault = picture_file_fault(tutorial_picture.name, tutorial_picture.width, tutorial_picture.height);
    BITMAP* pages = fault.empty() ? load_bitmap(tutorial_picture.name, nullptr) : nullptr;
    if (!pages) {
        if (fault.empty()) fault = "cannot be drawn";
        std::fprintf(stderr, "cupclash: picture \"%s\" %s, so no tutorial\n", tutorial_picture.name, fault.c_str());
        match.balance = 0;
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
    match.tutorial_step = tutorial_toggle;
    wait_page(true);

    // 9. The three shapes, still.
    load_preset_board(left, preset_shapes);
    show_page(pages, page_shapes);
    match.tutorial_step = tutorial_rest;
    wait_page(true);

    // 10. They break, with the balance bar drawn once over the page.
    draw_page(pages, page_breaking);
    match.tutorial_step = tutorial_act;
    draw_balance_bar();
    show_on_window(bottom_panel, 0, panel_height);
    wait_page(true);

    // 11. The chain board, still.
    load_preset_board(left, preset_chain);
    show_page(pages, page_chain);
    wait_page(true);

    // 12. The chain breaks.
    show_page(pages, page_chain_breaks);
    match.tutorial_step = tutorial_act;
    wait_page(true);

    // 13. Nothing of the demonstration stays, not even the ESC that cut it short.
    match.balance = 0;
    spend_escape();
    std::memcpy(right->pattern, own_pattern, sizeof own_pattern);
    destroy_bitmap(pages);
}
