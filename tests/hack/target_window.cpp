// Test helper standing in for a screen-saver daemon: makes a black window of
// the given size at (40, 30), maps it, prints its id and lives until it is
// killed (the server then destroys the window).
// Usage: hack_target_window WIDTH HEIGHT
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) return 1;
    int screen = DefaultScreen(dpy);
    Window w = XCreateSimpleWindow(dpy, RootWindow(dpy, screen), 40, 30,
                                   static_cast<unsigned>(std::atoi(argv[1])),
                                   static_cast<unsigned>(std::atoi(argv[2])), 0,
                                   BlackPixel(dpy, screen), BlackPixel(dpy, screen));
    XSelectInput(dpy, w, StructureNotifyMask);
    XMapWindow(dpy, w);
    for (XEvent e;;) {
        XNextEvent(dpy, &e);
        if (e.type == MapNotify) break;
    }
    std::printf("0x%lx\n", w);
    std::fflush(stdout);
    for (XEvent e;;) XNextEvent(dpy, &e);
}
