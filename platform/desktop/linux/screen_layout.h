// Where the saver's window goes on an X screen with any number of monitors.
// The window covers the whole screen (the root window) from its origin,
// across every monitor. A window manager's full-screen state fills one
// monitor only (there is no way to ask openbox for more), so it is asked
// for only when one monitor is the whole screen; otherwise the window keeps
// the place and size it asks for.
#pragma once
#include <vector>

namespace plat {

struct MonitorRect {
    int x = 0, y = 0, width = 0, height = 0;
};

struct SaverPlacement {
    int width = 0, height = 0;     // at the screen's origin
    bool fullScreenState = false;  // ask the window manager for full screen
};

SaverPlacement PlaceSaverWindow(int rootWidth, int rootHeight,
                                const std::vector<MonitorRect>& monitors);

// The saver's screen where outputs lie anywhere in a compositor's layout
// (negative places too): the bounding box of them all, its size and each
// output's place in it; originX, originY where the box starts in the layout.
struct BoundingLayout {
    int width = 0, height = 0;
    int originX = 0, originY = 0;
    std::vector<MonitorRect> monitors;  // in the box, in the order given
};
BoundingLayout BoundingBoxOf(const std::vector<MonitorRect>& areas);

}  // namespace plat
