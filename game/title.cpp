#include "game/title.h"

#include <allegro.h>

#include "game/frame.h"
#include "game/tutorial.h"
#include "platform/assets.h"
#include "platform/pointer.h"
#include "platform/ticks.h"

namespace {

constexpr int swirl_frames = 32;
constexpr int credit_y = 176;
constexpr int bottom_middle_y = panel_height + panel_height / 2;  // 288: the buttons' middle line
constexpr const char* credit_line = "a late-night cafe duel";

struct TitlePictures {
    BITMAP* title;
    BITMAP* swirl;
    BITMAP* buttons;
};

// Swirl frame n, the title over it and the credit line on the top panel; the buttons and the mouse
// cursor on the bottom panel; both shown.
void draw_title(const TitlePictures& pictures, int n) {
    blit(pictures.swirl, top_panel, 0, panel_height * n, 0, 0, screen_width, panel_height);
    masked_blit(pictures.title, top_panel, 0, 0, 0, 0, pictures.title->w, pictures.title->h);
    textout_centre_ex(top_panel, font, credit_line, screen_width / 2, credit_y, 0, -1);
    blit(pictures.buttons, bottom_panel, 0, 0, 0, 0, screen_width, panel_height);
    draw_mouse_cursor();
    show_panels();
}

// What the choice starts: a match of the right kind, with the tutorial first when chosen. ESC
// (no choice) leaves a match against the computer set, which the flow does not start.
void act_on(TitleChoice choice) {
    if (choice == choice_watch) {
        set_game_mode(mode_cpu_vs_cpu);
        return;
    }
    if (choice == choice_tutorial) run_tutorial();
    set_game_mode(mode_vs_cpu);
}

}  // namespace

TitleChoice title_choice_at(int x, int y) {
    return static_cast<TitleChoice>(choice_play + (x >= screen_width / 2 ? 1 : 0) + (y > bottom_middle_y ? 2 : 0));
}

void title_screen() {
    // 1. The screen's pictures.
    const TitlePictures pictures = {load_picture(title_picture), load_picture(swirl_picture),
                                    load_picture(buttons_picture)};
    clear_to_color(top_panel, 0);
    // 2. Frames until a button is released over a quadrant, or ESC; while a button is held the
    // screen is not redrawn.
    TitleChoice choice = choice_none;
    Click click = {};
    int n = 0;  // the swirl frame
    while (choice == choice_none && !escape_down()) {
        if (!click.held) {
            draw_title(pictures, n);
            n = (n + 1) % swirl_frames;
        }
        if (click_released(&click)) choice = title_choice_at(pointer_x(), pointer_y());
        wait_for_tick();
    }
    // 3. Release the pictures, then act on the choice.
    destroy_bitmap(pictures.title);
    destroy_bitmap(pictures.swirl);
    destroy_bitmap(pictures.buttons);
    act_on(choice);
}
