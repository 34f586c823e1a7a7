// The window systems of the Linux desktop, in the order they are tried (as
// SDL's video bootstrap): the first one available serves the run. A user or
// a test may ask for one by name, with CORVANE_DESKTOP=NAME in the
// environment or --window-system=NAME on the command line.
#pragma once
#include <memory>
#include <string>

#include "platform/desktop/linux/window_system.h"

namespace plat {

// The name asked for: --window-system=NAME (taken out of argv, so that the
// program never sees it), else CORVANE_DESKTOP; "" when neither is given.
std::string TakeAskedWindowSystem(int& argc, char** argv);

// The window system for this run: the one named (when asked is not empty),
// else the first available one that can draw into a daemon's window if
// daemonWindow is set. Null, with what to tell the user in why (each
// window system tried, why not), when there is none.
std::unique_ptr<WindowSystem> ChooseWindowSystem(const std::string& asked, bool daemonWindow,
                                                 std::string& why);

}  // namespace plat
