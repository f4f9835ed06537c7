// The floor for the game's CPU share: a bare Allegro 4 program that does what every frame of the
// game must do at the least (open the same 256 x 384 window in 16-bit colour, copy two 256 x 192
// panels to it 25 times a second, paced by a 40 ms timer and waited for the same way) and nothing
// else. ESC or the close button ends it. Built and run by cpu_share.sh.
#include <allegro.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>

namespace {

int ticks = 0;
std::mutex tick_mutex;
std::condition_variable tick_arrived;
std::atomic<bool> closing{false};

void tick() {
    {
        std::lock_guard<std::mutex> lock(tick_mutex);
        ticks++;
    }
    tick_arrived.notify_one();
}
void close_button() { closing = true; }

}  // namespace

int main() {
    if (allegro_init() != 0) {
        std::fprintf(stderr, "bare_panels: cannot start Allegro\n");
        return 1;
    }
    install_keyboard();
    install_timer();
    set_color_depth(16);
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 256, 384, 0, 0) != 0) {
        std::fprintf(stderr, "bare_panels: cannot open the window: %s\n", allegro_error);
        return 1;
    }
    set_window_title("bare_panels");
    set_close_button_callback(close_button);
    BITMAP* top = create_bitmap(256, 192);
    BITMAP* bottom = create_bitmap(256, 192);
    install_int(tick, 40);
    for (int frame = 0; !key[KEY_ESC] && !closing; frame++) {
        // Something changes every frame, so that every copy carries new pixels.
        clear_to_color(top, makecol(frame % 256, 64, 128));
        clear_to_color(bottom, makecol(32, frame % 256, 64));
        blit(top, screen, 0, 0, 0, 0, 256, 192);
        blit(bottom, screen, 0, 0, 0, 192, 256, 192);
        std::unique_lock<std::mutex> lock(tick_mutex);
        tick_arrived.wait_for(lock, std::chrono::milliseconds(50), [] { return ticks != 0; });
        ticks = 0;
    }
    destroy_bitmap(top);
    destroy_bitmap(bottom);
    return 0;
}
END_OF_MAIN()
