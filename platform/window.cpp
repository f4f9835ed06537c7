#include "platform/window.h"

#include <allegro.h>
#include <xalleg.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/assets.h"
#include "platform/ticks.h"

int window_scale = 1;
int window_left = 0, window_top = 0;

namespace {

constexpr int window_height = 2 * panel_height;
constexpr int desktop_share_percent = 85;

// What the window shows, in game pixels, and a band of one half enlarged on its way to the window:
// only what changes is sent on.
BITMAP* shown;
BITMAP* enlarged;  // a strip of strip_rows game rows across the window, enlarged
constexpr int strip_rows = 48;
bool half_known[2];  // the top and bottom halves of `shown` are what the window shows

void prepare_enlarging() {
    if (enlarged && enlarged->w == screen_width * window_scale) return;
    release_window_pictures();
    shown = create_bitmap(screen_width, window_height);
    enlarged = create_bitmap(screen_width * window_scale, strip_rows * window_scale);
    if (!shown || !enlarged) fail("out of memory for the %d x %d window", screen_width * window_scale,
                                  window_height * window_scale);
    forget_window();
}

// The first and last pixels of a source row that differ from the row the window shows.
void changed_span(BITMAP* source, int source_row, int window_row, bool known, int* first, int* last) {
    const auto* now = reinterpret_cast<const uint16_t*>(source->line[source_row]);
    const auto* before = reinterpret_cast<const uint16_t*>(shown->line[window_row]);
    if (!known) {
        *first = 0, *last = screen_width - 1;
        return;
    }
    if (std::memcmp(now, before, screen_width * sizeof *now) == 0) return;
    int a = 0, b = screen_width - 1;
    while (now[a] == before[a]) a++;
    while (now[b] == before[b]) b--;
    *first = a, *last = b;
}

// Rows of a panel from `top` on, and the columns from `left` to `right`, that have changed.
struct Band {
    int top, left, right;  // top -1: no band
};

// Sends the band that ends before row `end` of the panel to the window, enlarged, and starts anew.
void send_band(BITMAP* source, int source_y, int window_y, Band* band, int end) {
    if (band->top < 0) return;
    const int n = window_scale, x = band->left, top = band->top, y = window_y + top;
    const int w = band->right - band->left + 1, h = end - top;
    blit(source, shown, x, source_y + top, x, y, w, h);
    for (int at = 0; at < h; at += strip_rows) {  // strip by strip through the enlarging buffer
        const int rows = std::min(strip_rows, h - at);
        stretch_blit(shown, enlarged, x, y + at, w, rows, x * n, 0, w * n, rows * n);
        blit(enlarged, screen, x * n, 0, window_left + x * n, window_top + (y + at) * n, w * n, rows * n);
    }
    *band = {-1, screen_width, -1};
}

// Sends what was drawn on the window to the X server now. Allegro's X driver otherwise leaves it in
// the connection's buffer until its input thread next looks, up to 10 ms later (the first frame
// waited for that too). Without a display (headless) there is nothing to send.
void send_to_display() {
    if (!_xwin.display) return;
    XLOCK();
    XFlush(_xwin.display);
    XUNLOCK();
}

}  // namespace

void forget_window() { half_known[0] = half_known[1] = false; }

void release_window_pictures() {
    destroy_bitmap(shown);
    destroy_bitmap(enlarged);
    shown = enlarged = nullptr;
}

int choose_window_scale(int desktop_width, int desktop_height) {
    int scale = 1;
    while (scale < largest_window_scale && screen_width * (scale + 1) <= desktop_width &&
           window_height * (scale + 1) * 100 <= desktop_height * desktop_share_percent)
        scale++;
    return scale;
}

int window_scale_for(int asked, int desktop_width, int desktop_height) {
    const bool known = desktop_width > 0 && desktop_height > 0;
    if (asked > 0 && !known) return asked;
    const int fits = choose_window_scale(desktop_width, desktop_height);
    return asked > 0 ? std::min(asked, fits) : fits;
}

namespace {

// Fills the screen at the desktop's size, the game centred at the largest whole scale; false when
// the screen cannot be filled (the reason is in allegro_error).
bool fill_screen() {
    int width = 0, height = 0;
    if (get_desktop_resolution(&width, &height) != 0 || width < screen_width || height < window_height) return false;
    if (set_gfx_mode(GFX_AUTODETECT_FULLSCREEN, width, height, 0, 0) != 0) return false;
    window_scale = std::min(std::min(width / screen_width, height / window_height), largest_window_scale);
    window_left = (SCREEN_W - screen_width * window_scale) / 2;
    window_top = (SCREEN_H - window_height * window_scale) / 2;
    clear_to_color(screen, 0);
    return true;
}

}  // namespace

bool filling_screen() { return is_windowed_mode() == 0; }

void open_window(int scale, bool fullscreen) {
    forget_window();
    window_left = window_top = 0;
    if (fullscreen && fill_screen()) return;
    if (fullscreen) std::fprintf(stderr, "cupclash: cannot fill the screen (%s); playing in a window\n", allegro_error);
    int desktop_width = 0, desktop_height = 0;
    if (get_desktop_resolution(&desktop_width, &desktop_height) != 0) desktop_width = desktop_height = 0;
    window_scale = window_scale_for(scale, desktop_width, desktop_height);
    if (window_scale < scale)
        std::fprintf(stderr, "cupclash: a window at scale %d does not fit the %d x %d desktop, so it opens at scale "
                     "%d\n", scale, desktop_width, desktop_height, window_scale);
    const int width = screen_width * window_scale, height = window_height * window_scale;
    errno = 0;
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, width, height, 0, 0) != 0) {
        if (errno == ENOMEM) fail("out of memory opening the window");
        fail("cannot open the %d x %d window: %s", width, height, allegro_error);
    }
    set_window_title("cupclash");
}

void show_on_window(BITMAP* source, int source_y, int window_y) {
    if (frames_unseen) return;
    if (window_scale == 1) {
        blit(source, screen, 0, source_y, window_left, window_top + window_y, screen_width, panel_height);
        return send_to_display();
    }
    prepare_enlarging();
    const bool known = half_known[window_y / panel_height];
    half_known[window_y / panel_height] = true;
    // Bands of rows that differ from what the window shows, each sent on as one rectangle as wide as
    // its changes; a row without changes ends a band, and so does the end of the panel.
    Band band = {-1, screen_width, -1};
    for (int y = 0; y < panel_height; y++) {
        int first = screen_width, last = -1;
        changed_span(source, source_y + y, window_y + y, known, &first, &last);
        if (last < 0) {
            send_band(source, source_y, window_y, &band, y);
            continue;
        }
        if (band.top < 0) band.top = y;
        band.left = std::min(band.left, first);
        band.right = std::max(band.right, last);
    }
    send_band(source, source_y, window_y, &band, panel_height);
    send_to_display();
}
