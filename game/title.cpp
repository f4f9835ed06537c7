#include "game/title.h"

#include <allegro.h>

#include "control/controls.h"
#include "game/frame.h"
#include "game/keys_screen.h"
#include "game/records_screen.h"
#include "game/tutorial.h"
#include "platform/assets.h"
#include "platform/pointer.h"
#include "platform/ticks.h"
#include "present/hud.h"
#include "state/player.h"

namespace {

constexpr int swirl_frames = 32;
constexpr int credit_y = 176;
constexpr int bottom_middle_y = panel_height + panel_height / 2;  // 288: the buttons' middle line
constexpr const char* credit_line = "a late-night cafe duel";
constexpr int hint_y = 150;  // the line that says how to turn the page, on the swirl under the title

// A page of choices: its picture and its buttons, by row and column (a button across a whole row
// stands in both columns).
struct TitlePage {
    const PictureFile& picture;
    TitleChoice buttons[2][2];
    const char* hint;  // how to reach the other page
};
const TitlePage pages[title_pages] = {
    {buttons_picture, {{choice_play, choice_watch}, {choice_tutorial, choice_play_too}}, "TAB: 2 PLAYERS"},
    {modes_picture, {{choice_two_players, choice_two_players}, {choice_back, choice_back}}, "TAB: BACK  H: HOST  J: JOIN"},
};

// Where the keyboard, the joysticks and a moving mouse stand: a page, a row and a column. Rows run on
// across the pages: down from the first page's lower row is the second page's upper row.
struct Highlight {
    int page, row, col;
};

// The place of the button under a point of the screen on a page; the top panel counts as the upper
// row.
Highlight highlight_at(int x, int y, int page) {
    return {page, y > bottom_middle_y ? 1 : 0, x >= screen_width / 2 ? 1 : 0};
}

struct TitlePictures {
    BITMAP* title;
    PictureReading swirl;  // its frames read as the title first shows them: the first frame waits for one
    BITMAP* pages[title_pages];
};

bool spans_row(const TitlePage& page, int row) { return page.buttons[row][0] == page.buttons[row][1]; }

// The highlight's frame around its button: a quadrant, or a whole row.
void draw_button_highlight(const Highlight& h, int frame) {
    const bool wide = spans_row(pages[h.page], h.row);
    const int x1 = wide ? 1 : 128 * h.col + 1, x2 = wide ? screen_width - 2 : 128 * h.col + 126;
    draw_highlight(bottom_panel, x1, 96 * h.row + 1, x2, 96 * h.row + 94, highlight_gold(frame));
}

// The hint lines on a dark strip, so that they read over the swirl: how to turn the page, and the
// keys of the screens beside the pages.
constexpr const char* screens_hint = "R: RECORDS   K: KEYS";
void draw_hint(const char* hint) {
    const int widest = text_length(font, hint) > text_length(font, screens_hint) ? text_length(font, hint)
                                                                                 : text_length(font, screens_hint);
    const int w = widest + 12, top = hint_y - 16;
    rectfill(top_panel, 128 - w / 2, top - 4, 128 + w / 2, hint_y + 11, makecol(24, 14, 10));
    rect(top_panel, 128 - w / 2, top - 4, 128 + w / 2, hint_y + 11, makecol(200, 150, 70));
    draw_label(top_panel, screens_hint, 128, top, makecol(255, 236, 190));
    draw_label(top_panel, hint, 128, hint_y, makecol(255, 236, 190));
}

// Swirl frame n (read from its file the first time), the title over it, the hint and the credit line
// on the top panel; the page's buttons, the highlight and the mouse cursor on the bottom panel; both
// shown.
void draw_title(TitlePictures* pictures, const Highlight& h, int n) {
    const int frame = n % swirl_frames;
    read_picture_rows(&pictures->swirl, panel_height * (frame + 1));
    blit(pictures->swirl.picture, top_panel, 0, panel_height * frame, 0, 0, screen_width, panel_height);
    masked_blit(pictures->title, top_panel, 0, 0, 0, 0, pictures->title->w, pictures->title->h);
    draw_hint(pages[h.page].hint);
    textout_centre_ex(top_panel, font, credit_line, screen_width / 2, credit_y, 0, -1);
    blit(pictures->pages[h.page], bottom_panel, 0, 0, 0, 0, screen_width, panel_height);
    draw_button_highlight(h, n);
    draw_mouse_cursor();
    show_panels();
}

// The highlight after a command: up and down move a row, on across the pages, left and right a
// column; TAB turns the page.
Highlight moved(Highlight h, uint8_t command, bool tab) {
    int row = 2 * h.page + h.row;
    if (command & cmd_up) row = row > 0 ? row - 1 : 0;
    if (command & cmd_down) row = row < 2 * title_pages - 1 ? row + 1 : row;
    if (command & cmd_left) h.col = 0;
    if (command & cmd_right) h.col = 1;
    h.page = row / 2;
    h.row = row % 2;
    if (tab) h.page = (h.page + 1) % title_pages;
    return h;
}

// What the choice starts: a match of the right kind, with the tutorial first when chosen. ESC
// (no choice) leaves a match against the computer set, which the flow does not start.
void act_on(TitleChoice choice) {
    if (choice == choice_watch) {
        set_game_mode(mode_cpu_vs_cpu);
        return;
    }
    if (choice == choice_two_players || choice == choice_host || choice == choice_join) {
        set_game_mode(mode_two_players);
        return;
    }
    if (choice == choice_tutorial) run_tutorial();
    set_game_mode(mode_vs_cpu);
}

}  // namespace

TitleChoice title_choice_at(int x, int y, int page) {
    const Highlight h = highlight_at(x, y, page);
    return pages[page].buttons[h.row][h.col];
}

TitleChoice title_screen(void (*once_shown)()) {
    // 1. The screen's pictures.
    TitlePictures pictures = {load_picture(title_picture), open_picture(swirl_picture), {}};
    for (int k = 0; k < title_pages; k++) pictures.pages[k] = load_picture(pages[k].picture);
    clear_to_color(top_panel, 0);
    // 2. Frames until a button is released over a choice, a choice is made with the keys, or ESC;
    // while a mouse button is held the screen is not redrawn. The mouse moves the highlight only when
    // it moves over the buttons: resting, it leaves the highlight where the keys put it. BACK only
    // turns the page.
    TitleChoice choice = choice_none;
    Click click = {};
    PointerPlace pointer = pointer_place();
    Highlight h = {0, 0, 0};
    uint8_t held = menu_keys_down();
    bool tab_held = key[KEY_TAB];
    bool records_held = key[KEY_R], keys_held = key[KEY_K];
    int n = 0;  // the swirl frame
    while (choice == choice_none && !escape_down()) {
        if (!click.held) draw_title(&pictures, h, n++);
        if (once_shown && n == 1) once_shown();
        const uint8_t command = menu_command(&held);
        const bool tab = key[KEY_TAB] && !tab_held;
        tab_held = key[KEY_TAB];
        const bool records = key[KEY_R] && !records_held, keys = key[KEY_K] && !keys_held;
        records_held = key[KEY_R];
        keys_held = key[KEY_K];
        if (records) records_screen();  // R: the records, then the title again
        if (keys) keys_screen();        // K: the keys, then the title again
        if (records || keys) held = menu_keys_down();
        h = moved(h, command, tab);
        if (pointer_moved_over_bottom(&pointer)) h = highlight_at(pointer.x, pointer.y, h.page);
        if (command & (cmd_action | cmd_toggle)) choice = pages[h.page].buttons[h.row][h.col];
        if (click_released(&click)) choice = title_choice_at(pointer_x(), pointer_y(), h.page);
        if (h.page == 1 && (key[KEY_H] || key[KEY_J])) choice = key[KEY_H] ? choice_host : choice_join;
        if (choice == choice_back) {
            choice = choice_none;
            h = {0, 1, 0};
        }
        wait_for_tick();
    }
    // 3. Release the pictures, then act on the choice.
    destroy_bitmap(pictures.title);
    destroy_bitmap(pictures.swirl.picture);
    for (BITMAP* page : pictures.pages) destroy_bitmap(page);
    act_on(choice);
    return choice;
}
