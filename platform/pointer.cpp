#include "platform/pointer.h"

#include <allegro.h>

#include "platform/assets.h"
#include "platform/window.h"

namespace {

constexpr int cursor_radius = 8;

}  // namespace

int pointer_x() { return (mouse_x - window_left) / window_scale; }

int pointer_y() { return (mouse_y - window_top) / window_scale; }

void draw_mouse_cursor() {
    circlefill(bottom_panel, pointer_x(), pointer_y() - panel_height, cursor_radius, makecol(0, 255, 0));
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

PointerPlace pointer_place() { return {pointer_x(), pointer_y()}; }

bool pointer_moved_over_bottom(PointerPlace* last) {
    const PointerPlace now = pointer_place();
    const bool moved = now.x != last->x || now.y != last->y;
    *last = now;
    return moved && now.y >= panel_height;
}
