// The X screen of DISPLAY as the saver needs it: the root window's size and
// the monitors (RandR 1.5, the list window managers place windows by).
#pragma once
#include <vector>

#include "platform/desktop/linux/screen_layout.h"

namespace plat {

// False when the display cannot be opened. The primary monitor comes first;
// without RandR the list is empty.
bool ReadXScreen(int& width, int& height, std::vector<MonitorRect>& monitors);

}  // namespace plat
