// The desktop picture a screen-saver daemon keeps for its display program:
// xscreensaver blanks the screen before it starts one, then hands it the
// desktop as it was as a pixmap named by the _SCREENSAVER_SCREENSHOT
// property of the program's window.
#pragma once

namespace plat {

struct CaptureArea {
    unsigned long drawable = 0;  // a window or pixmap to read
    int x = 0, y = 0;            // where in it the picture starts
    int width = 0, height = 0;   // how much of it there is
};

// Where the desktop under window lies: the daemon's pixmap when the window
// carries one, else the root window's area under the window. False when
// neither can be read. display is a Display*.
bool DesktopUnder(void* display, unsigned long window, CaptureArea& out);

}  // namespace plat
