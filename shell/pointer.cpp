#include "shell/pointer.h"

#include <allegro.h>

#include "shell/assets.h"

namespace {

constexpr int cursor_radius = 8;

}  // namespace

void draw_mouse_cursor() {
    circlefill(bottom_panel, mouse_x, mouse_y - panel_height, cursor_radius, makecol(0, 255, 0));
}

bool click_released(Click* c) {
    if (mouse_b != 0) {
        c->held = true;
        return false;
    }
    const bool released = c->held;
    c->held = false;
    return released;
}
