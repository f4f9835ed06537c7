#include "platform/guards.h"

#include <X11/Xlib.h>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace {

std::atomic<int> stopped_by{0};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs a lock-free flag");

void stop_requested(int signal) { stopped_by = signal; }

sigset_t stop_signals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    return set;
}

// Writes one line on standard error from a place where only async-signal-safe calls may be made.
void say(const char* line) {
    const ssize_t written = write(STDERR_FILENO, line, std::strlen(line));
    (void)written;  // nothing more can be done about a failed write on the way out
}

// Xlib calls this when the connection breaks, on whichever thread met the break; it must not return.
int display_lost(Display*) {
    const bool out_of_memory = errno == ENOMEM;
    static std::atomic_flag told = ATOMIC_FLAG_INIT;
    if (!told.test_and_set())
        say(out_of_memory ? "cupclash: out of memory\n" : "cupclash: lost the connection to the display\n");
    _exit(1);  // now, from this thread: shutting down would race the other threads still drawing
}

// ALSA's error handler type: file, line, function, error number, then a printf format and its values.
using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
void drop_alsa_error(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void open_standard_descriptors() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; fd++)
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
}

void hold_stop_signals() {
    const sigset_t held = stop_signals();
    pthread_sigmask(SIG_BLOCK, &held, nullptr);
}

void catch_stop_signals() {
    struct sigaction action {};
    action.sa_handler = stop_requested;
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    const sigset_t held = stop_signals();
    pthread_sigmask(SIG_UNBLOCK, &held, nullptr);
}

int stop_signal() { return stopped_by; }

void watch_display() { XSetIOErrorHandler(display_lost); }

void hush_sound_library(bool hushed) {
    // The sound driver loads ALSA itself; opening it here first gives the same library it will use.
    static void* alsa = dlopen("libasound.so.2", RTLD_NOW);
    if (!alsa) return;  // no ALSA, no chatter
    using SetHandler = int (*)(AlsaErrorHandler);
    const auto set_handler = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (set_handler) set_handler(hushed ? drop_alsa_error : nullptr);
}
