// Prints the X server's own screen-saver state ("on" or "off") and the idle
// time in ms, as the MIT-SCREEN-SAVER extension reports them: what DPMS and
// the lockers driven by the server's idle timer (xss-lock, xset s) see.
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

#include <cstdio>

int main() {
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) return 2;
    int event, error;
    if (!XScreenSaverQueryExtension(dpy, &event, &error)) return 3;
    XScreenSaverInfo* info = XScreenSaverAllocInfo();
    if (!info || !XScreenSaverQueryInfo(dpy, DefaultRootWindow(dpy), info)) return 4;
    std::printf("%s %lu\n", info->state == ScreenSaverOn ? "on" : "off", info->idle);
    XFree(info);
    XCloseDisplay(dpy);
    return 0;
}
