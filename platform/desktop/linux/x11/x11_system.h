// The X11 window system: the saver window from SDL2 on its X11 driver, the
// screen's layout from RandR, the desktop picture and preview windows from
// Xlib (x11_windows.h).
#pragma once
#include <memory>

#include "platform/desktop/linux/window_system.h"

namespace plat {

// Whether the X display of DISPLAY answers.
bool X11Available();
std::unique_ptr<WindowSystem> CreateX11System();

}  // namespace plat
