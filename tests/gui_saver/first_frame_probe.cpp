// Starts a program and reports the milliseconds until the pixel at (x, y) of
// the X screen changes from what it was before the start: the time from
// process start to its first picture on screen.
// Usage: corvane_first_frame_probe X Y PROGRAM [ARGS...]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

extern char** environ;

static unsigned long PixelAt(Display* dpy, int x, int y) {
    XImage* img = XGetImage(dpy, DefaultRootWindow(dpy), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!img) return 0;
    unsigned long p = XGetPixel(img, 0, 0);
    XDestroyImage(img);
    return p;
}

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    int x = std::atoi(argv[1]), y = std::atoi(argv[2]);
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) return 1;
    unsigned long before = PixelAt(dpy, x, y);
    auto start = std::chrono::steady_clock::now();
    pid_t pid;
    if (posix_spawn(&pid, argv[3], nullptr, nullptr, argv + 3, environ) != 0) return 1;
    for (;;) {
        auto ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        if (PixelAt(dpy, x, y) != before) {
            std::printf("%.1f\n", ms);
            break;
        }
        if (ms > 10000) {
            std::printf("timeout\n");
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::fflush(stdout);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return 0;
}
