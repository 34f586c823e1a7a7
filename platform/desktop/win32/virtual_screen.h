// The virtual screen of Windows: the rectangle that holds every monitor, in
// the coordinates of the primary monitor (its origin may be negative).
#pragma once

namespace win32 {

struct ScreenArea {
    int x = 0, y = 0, width = 0, height = 0;
};

ScreenArea VirtualScreen();
ScreenArea PrimaryScreen();

}  // namespace win32
