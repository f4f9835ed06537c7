#include "platform/ticks.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

#include <allegro.h>

#include "platform/music.h"
#include "platform/settings.h"

std::atomic<int> tick_count{0};
void (*between_frames)() = nullptr;
bool frames_unseen = false;

namespace {

// The wait for a tick sleeps until the timer thread says one has come.
std::mutex tick_mutex;
std::condition_variable tick_arrived;
constexpr auto longest_nap = std::chrono::milliseconds(50);  // looks again even if a wake-up is lost

}  // namespace

void timer_tick() {
    {
        std::lock_guard<std::mutex> lock(tick_mutex);
        tick_count++;
    }
    tick_arrived.notify_one();
}

void wait_for_tick() {
    feed_music();
    if (between_frames) {
        between_frames();
        tick_count.store(0);
        return;
    }
    static bool f11_held;  // F11 switches once per press
    if (key[KEY_F11] && !f11_held) switch_fullscreen();
    f11_held = key[KEY_F11];
    wait_for_timer();
}

void wait_for_timer() {
    std::unique_lock<std::mutex> lock(tick_mutex);
    while (tick_count.load() == 0) tick_arrived.wait_for(lock, longest_nap);
    tick_count.store(0);
}

void leave_tick_pending() { timer_tick(); }
