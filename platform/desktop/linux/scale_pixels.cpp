#include "platform/desktop/linux/scale_pixels.h"

#include <algorithm>
#include <cstddef>

namespace plat {

void ScaleInto(const PixelPicture& src, const MonitorRect& area, std::uint32_t* dst, int width,
               int height, int pitch) {
    if (!src.pixels || src.width <= 0 || src.height <= 0 || area.width <= 0 || area.height <= 0)
        return;
    const int x0 = std::max(area.x, 0), y0 = std::max(area.y, 0);
    const int x1 = std::min(area.x + area.width, width);
    const int y1 = std::min(area.y + area.height, height);
    for (int y = y0; y < y1; ++y) {
        int sy = static_cast<int>(static_cast<long long>(y - area.y) * src.height / area.height);
        if (src.upsideDown) sy = src.height - 1 - sy;
        const std::uint32_t* row = src.pixels + static_cast<std::size_t>(sy) * src.pitch;
        std::uint32_t* out = dst + static_cast<std::size_t>(y) * pitch;
        for (int x = x0; x < x1; ++x)
            out[x] = row[static_cast<long long>(x - area.x) * src.width / area.width] & 0xFFFFFF;
    }
}

}  // namespace plat
