#include "platform/desktop/linux/screen_layout.h"

#include <algorithm>

namespace plat {

SaverPlacement PlaceSaverWindow(int rootWidth, int rootHeight,
                                const std::vector<MonitorRect>& monitors) {
    SaverPlacement p{rootWidth, rootHeight, false};
    for (const MonitorRect& m : monitors) {
        p.width = std::max(p.width, m.x + m.width);
        p.height = std::max(p.height, m.y + m.height);
    }
    if (monitors.empty()) {
        p.fullScreenState = true;
    } else if (monitors.size() == 1) {
        const MonitorRect& m = monitors[0];
        p.fullScreenState =
            m.x <= 0 && m.y <= 0 && m.x + m.width >= p.width && m.y + m.height >= p.height;
    }
    return p;
}

}  // namespace plat
