#include "platform/desktop/linux/x11/x11_screenshot.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "platform/desktop/linux/x11/x11_errors.h"

namespace plat {
namespace {

// The pixmap of the window's _SCREENSAVER_SCREENSHOT property, 0 when it has
// none (or names no pixmap any more).
bool DaemonPixmap(Display* dpy, Window window, CaptureArea& out) {
    Atom property = XInternAtom(dpy, "_SCREENSAVER_SCREENSHOT", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, window, property, 0, 1, False, XA_PIXMAP, &type, &format, &count,
                           &after, &data) != Success)
        return false;
    Pixmap pixmap = None;
    if (data && type == XA_PIXMAP && format == 32 && count == 1)
        pixmap = *reinterpret_cast<unsigned long*>(data);  // Xlib hands 32-bit items as longs
    if (data) XFree(data);
    if (pixmap == None) return false;
    Window root;
    int x, y;
    unsigned w = 0, h = 0, border, depth;
    TakeXErrors();
    Status ok = XGetGeometry(dpy, pixmap, &root, &x, &y, &w, &h, &border, &depth);
    XSync(dpy, False);
    if (!ok || TakeXErrors() || w == 0 || h == 0) return false;
    out = {pixmap, 0, 0, static_cast<int>(w), static_cast<int>(h)};
    return true;
}

}  // namespace

bool DesktopUnder(void* display, unsigned long window, CaptureArea& out) {
    auto* dpy = static_cast<Display*>(display);
    Window root = DefaultRootWindow(dpy);
    if (window != 0 && window != root && DaemonPixmap(dpy, window, out)) return true;
    XWindowAttributes rootAttrs;
    if (!XGetWindowAttributes(dpy, root, &rootAttrs)) return false;
    out = {root, 0, 0, rootAttrs.width, rootAttrs.height};
    if (window == 0 || window == root) return true;
    int x = 0, y = 0;
    Window child;
    TakeXErrors();
    XTranslateCoordinates(dpy, window, root, 0, 0, &x, &y, &child);
    XSync(dpy, False);
    if (TakeXErrors()) return true;  // the window went: the root from its origin
    out.x = x > 0 ? x : 0;
    out.y = y > 0 ? y : 0;
    out.width -= out.x;
    out.height -= out.y;
    return out.width > 0 && out.height > 0;
}

}  // namespace plat
