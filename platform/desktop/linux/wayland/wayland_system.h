// The Wayland window system: libwayland-client, no toolkit. The saver's
// surfaces cover every output (wl_saver_window.h), the desktop picture
// comes from wlroots' screen copy (wl_windows.h), input from the seat.
//
// LIMITATIONS: no desktop picture where the compositor has no screen copy
// (GNOME, KDE: the run goes on over white and says so); buffers at scale 1
// (an output of scale 2 shows the saver at its logical size, magnified);
// output transforms other than normal are not undone in the picture; no
// daemon windows (a daemon's X window goes to X11); the forms and message
// boxes are FLTK's, on XWayland.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "platform/desktop/linux/window_system.h"

namespace plat {

// Null, with why not in why, unless a Wayland compositor answers and has
// what the saver needs. foreign gives the windows named by an X id
// (XWayland's), or null.
std::unique_ptr<WindowSystem> CreateWaylandSystem(
    std::function<std::unique_ptr<SystemWindows>()> foreign, std::string& why);

}  // namespace plat
