// The X11 window system: the saver window from SDL2 on its X11 driver, the
// screen's layout from RandR, the desktop picture and preview windows from
// Xlib (x11_windows.h).
#pragma once
#include <memory>
#include <string>

#include "platform/desktop/linux/window_system.h"

namespace plat {

// Null, with why not in why, unless the X display of DISPLAY answers.
std::unique_ptr<WindowSystem> CreateX11System(std::string& why);
// The X server's windows (a preview target) where DISPLAY answers, else
// null: for another window system with XWayland beside it.
std::unique_ptr<SystemWindows> CreateX11WindowsIfThere();

}  // namespace plat
