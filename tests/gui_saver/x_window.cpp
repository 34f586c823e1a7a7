// Opens a plain X window (no child windows) of the given size, prints its id
// and stays until killed: a target for drawing into a foreign window.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    int w = argc > 1 ? std::atoi(argv[1]) : 240;
    int h = argc > 2 ? std::atoi(argv[2]) : 180;
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) return 1;
    Window win = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, w, h, 0, 0, 0x336699);
    XStoreName(dpy, win, "corvane-test-target");
    XSelectInput(dpy, win, ExposureMask);
    XMapWindow(dpy, win);
    XSync(dpy, False);
    std::printf("%lu\n", win);
    std::fflush(stdout);
    for (;;) {
        XEvent e;
        XNextEvent(dpy, &e);
    }
}
