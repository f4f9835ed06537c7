// Time from the start of a program to its first drawn frame, as a person would see it: the moment
// the window named NAME first shows a pixel that is not black. Run by first_frame.sh in a virtual X
// server (DISPLAY set).
//
//   first_frame NAME DIR PROGRAM RUNS [ARGUMENT...]
//
// Each run notes the clock, forks and starts PROGRAM from DIR, then watches the X server without
// pause (the arguments go to PROGRAM): it looks for a top-level window named NAME among the root's children, and once the window
// is mapped it reads the window's pixels back from the screen (XGetImage) until one is not black.
// A look takes well under a millisecond for a 256 x 384 window (about 2 ms at 768 x 1152), so the
// figures are good to about a millisecond or two. The program is then ended (SIGTERM) before the next run. Prints, per run, the
// milliseconds to the window and to the first frame, and then the median and the worst.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// A viewable top-level window with the given name, or 0.
Window find_window(Display* d, const char* name) {
    Window root_back, parent, *children = nullptr;
    unsigned n = 0;
    Window found = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &root_back, &parent, &children, &n)) return 0;
    for (unsigned i = 0; i < n && !found; i++) {
        char* title = nullptr;
        if (XFetchName(d, children[i], &title) && title) {
            if (std::strcmp(title, name) == 0) found = children[i];
            XFree(title);
        }
    }
    if (children) XFree(children);
    return found;
}

// True when any pixel of the window, read back from the screen, is not black.
bool shows_something(Display* d, Window w) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable) return false;
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &x, &y, &child);
    XImage* img = XGetImage(d, DefaultRootWindow(d), x, y, a.width, a.height, AllPlanes, ZPixmap);
    if (!img) return false;
    bool lit = false;
    for (int py = 0; py < a.height && !lit; py++)
        for (int px = 0; px < a.width && !lit; px++) lit = XGetPixel(img, px, py) != 0;
    XDestroyImage(img);
    return lit;
}

int ignore_x_errors(Display*, XErrorEvent*) { return 0; }  // a window may vanish between two looks

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: first_frame NAME DIR PROGRAM RUNS [ARGUMENT...]\n");
        return 2;
    }
    const char* name = argv[1];
    const char* dir = argv[2];
    const char* program = argv[3];
    const int runs = std::atoi(argv[4]);
    std::vector<char*> command = {argv[3]};
    command.insert(command.end(), argv + 5, argv + argc);
    command.push_back(nullptr);
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "first_frame: cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(ignore_x_errors);
    std::vector<double> to_window, to_frame;
    for (int run = 1; run <= runs; run++) {
        const Clock::time_point t0 = Clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
            if (chdir(dir) != 0) _exit(127);
            execv(program, command.data());
            _exit(127);
        }
        double window_ms = -1, frame_ms = -1;
        Window w = 0;
        while (ms_since(t0) < 10000) {
            if (waitpid(pid, nullptr, WNOHANG) == pid) {
                std::fprintf(stderr, "first_frame: %s ended before showing a frame\n", program);
                return 1;
            }
            if (!w) {
                w = find_window(d, name);
                if (w) window_ms = ms_since(t0);
                continue;
            }
            if (shows_something(d, w)) {
                frame_ms = ms_since(t0);
                break;
            }
        }
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        if (frame_ms < 0) {
            std::fprintf(stderr, "first_frame: no frame within 10 s\n");
            return 1;
        }
        std::printf("run %2d: window after %6.1f ms, first frame after %6.1f ms\n", run, window_ms, frame_ms);
        to_window.push_back(window_ms);
        to_frame.push_back(frame_ms);
        usleep(200 * 1000);  // let the server forget the last window
    }
    std::printf("first frame: median %.1f ms, worst %.1f ms (window: median %.1f ms) over %d runs\n",
                median(to_frame), *std::max_element(to_frame.begin(), to_frame.end()), median(to_window), runs);
    XCloseDisplay(d);
    return 0;
}
