#include "platform/desktop/linux/screen_layout.h"

#include <algorithm>
#include <climits>

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

BoundingLayout BoundingBoxOf(const std::vector<MonitorRect>& areas) {
    BoundingLayout b;
    if (areas.empty()) return b;
    b.originX = b.originY = INT_MAX;
    for (const MonitorRect& m : areas) {
        b.originX = std::min(b.originX, m.x);
        b.originY = std::min(b.originY, m.y);
    }
    for (MonitorRect m : areas) {
        m.x -= b.originX;
        m.y -= b.originY;
        b.width = std::max(b.width, m.x + m.width);
        b.height = std::max(b.height, m.y + m.height);
        b.monitors.push_back(m);
    }
    return b;
}

}  // namespace plat
