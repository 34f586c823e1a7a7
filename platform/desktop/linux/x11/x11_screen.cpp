#include "platform/desktop/linux/x11/x11_screen.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace plat {

bool ReadXScreen(int& width, int& height, std::vector<MonitorRect>& monitors) {
    monitors.clear();
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) return false;
    width = DisplayWidth(dpy, DefaultScreen(dpy));
    height = DisplayHeight(dpy, DefaultScreen(dpy));
    int event, error, major = 0, minor = 0;
    if (XRRQueryExtension(dpy, &event, &error) && XRRQueryVersion(dpy, &major, &minor) &&
        (major > 1 || (major == 1 && minor >= 5))) {
        int count = 0;
        XRRMonitorInfo* list = XRRGetMonitors(dpy, DefaultRootWindow(dpy), True, &count);
        for (int i = 0; list && i < count; ++i) {
            const MonitorRect m{list[i].x, list[i].y, list[i].width, list[i].height};
            if (list[i].primary)
                monitors.insert(monitors.begin(), m);
            else
                monitors.push_back(m);
        }
        if (list) XRRFreeMonitors(list);
    }
    XCloseDisplay(dpy);
    return true;
}

}  // namespace plat
