// The stub window system: a screen in memory and no display server, as
// SDL's dummy video driver. The saver runs its frame loop on it, unseen,
// until it is ended from outside (a session signal). It is the template of
// a new window system: copy this folder, fill in what the display server
// has, and add one line to the table in window_systems.cpp.
//
// LIMITATIONS: nothing is shown and there is no input; the screen is one
// 1024x768 monitor; the desktop picture is white; no daemon windows, no
// preview windows; message boxes go to standard error; the forms (/C)
// still need an X display, as FLTK does.
#pragma once
#include <memory>

#include "platform/desktop/linux/window_system.h"

namespace plat {

std::unique_ptr<WindowSystem> CreateStubSystem();

}  // namespace plat
