#include "shell/window.h"

#include <cerrno>

#include "shell/assets.h"

int window_scale = 1;

namespace {

constexpr int window_height = 2 * panel_height;
constexpr int desktop_share_percent = 85;

// The scale that fits the desktop Allegro reports, 1 when it cannot tell.
int desktop_scale() {
    int width = 0, height = 0;
    if (get_desktop_resolution(&width, &height) != 0) return 1;
    return choose_window_scale(width, height);
}

}  // namespace

int choose_window_scale(int desktop_width, int desktop_height) {
    int scale = 1;
    while (scale < largest_window_scale && screen_width * (scale + 1) <= desktop_width &&
           window_height * (scale + 1) * 100 <= desktop_height * desktop_share_percent)
        scale++;
    return scale;
}

void open_window(int scale) {
    window_scale = scale > 0 ? scale : desktop_scale();
    const int width = screen_width * window_scale, height = window_height * window_scale;
    errno = 0;
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, width, height, 0, 0) != 0) {
        if (errno == ENOMEM) fail("out of memory opening the window");
        fail("cannot open the %d x %d window: %s", width, height, allegro_error);
    }
    set_window_title("cupclash");
}

void show_on_window(BITMAP* source, int source_y, int window_y) {
    if (window_scale == 1) {
        blit(source, screen, 0, source_y, 0, window_y, screen_width, panel_height);
        return;
    }
    const int n = window_scale;
    stretch_blit(source, screen, 0, source_y, screen_width, panel_height, 0, window_y * n, screen_width * n,
                 panel_height * n);
}
