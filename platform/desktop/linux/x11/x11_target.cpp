#include "platform/desktop/linux/x11/x11_target.h"

#include <X11/Xlib.h>
#include <poll.h>

#include "platform/desktop/linux/x11/x11_errors.h"

namespace plat {
X11Target::X11Target(bool root, unsigned long id) {
    TolerateXErrors();
    auto* dpy = XOpenDisplay(nullptr);
    display_ = dpy;
    if (!dpy) return;
    id_ = root ? DefaultRootWindow(dpy) : id;
    screenWidth_ = DisplayWidth(dpy, DefaultScreen(dpy));
    screenHeight_ = DisplayHeight(dpy, DefaultScreen(dpy));
    if (id_ == 0) return;
    TakeXErrors();
    XWindowAttributes attrs;
    Status ok = XGetWindowAttributes(dpy, static_cast<Window>(id_), &attrs);
    // Several clients may watch a window's structure and exposure.
    XSelectInput(dpy, static_cast<Window>(id_), StructureNotifyMask | ExposureMask);
    XSync(dpy, False);
    if (!ok || TakeXErrors() || attrs.width <= 0 || attrs.height <= 0) return;
    width_ = attrs.width;
    height_ = attrs.height;
    valid_ = true;
}

X11Target::~X11Target() {
    if (display_) XCloseDisplay(static_cast<Display*>(display_));
}

int X11Target::Fd() const {
    return display_ ? ConnectionNumber(static_cast<Display*>(display_)) : -1;
}

X11Target::Change X11Target::Poll() {
    auto* dpy = static_cast<Display*>(display_);
    if (!valid_ || !dpy) return Change::Gone;
    Change change = Change::Nothing;
    auto raise = [&](Change c) {
        if (static_cast<int>(c) > static_cast<int>(change)) change = c;
    };
    // Nothing queued and nothing to read: two system calls fewer than
    // XPending's flush and read.
    pollfd p{ConnectionNumber(dpy), POLLIN, 0};
    if (XEventsQueued(dpy, QueuedAlready) == 0 && ::poll(&p, 1, 0) == 0) return change;
    while (XPending(dpy) > 0) {
        XEvent e;
        XNextEvent(dpy, &e);
        if (e.xany.window != id_) continue;
        if (e.type == DestroyNotify) {
            valid_ = false;
            raise(Change::Gone);
        } else if (e.type == ConfigureNotify &&
                   (e.xconfigure.width != width_ || e.xconfigure.height != height_)) {
            width_ = e.xconfigure.width;
            height_ = e.xconfigure.height;
            raise(Change::Resized);
        } else if (e.type == Expose) {
            raise(Change::Exposed);
        }
    }
    return change;
}

}  // namespace plat
