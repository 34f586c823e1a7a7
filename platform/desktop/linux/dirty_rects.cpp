#include "platform/desktop/linux/dirty_rects.h"

#include <algorithm>
#include <cstdint>

namespace plat {
namespace {

PixelRect Union(const PixelRect& a, const PixelRect& b) {
    int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
    int x1 = std::max(a.x + a.w, b.x + b.w), y1 = std::max(a.y + a.h, b.y + b.h);
    return {x0, y0, x1 - x0, y1 - y0};
}

std::int64_t Area(const PixelRect& r) {
    return std::int64_t{r.w} * r.h;
}

}  // namespace

void DirtyRects::Add(const PixelRect& rect) {
    PixelRect r = rect;
    for (int i = 0; i < count_;) {
        const PixelRect u = Union(rects_[i], r);
        if (Area(u) > Area(rects_[i]) + Area(r)) {
            ++i;
            continue;
        }
        r = u;  // the union may now join others: look again from the start
        rects_[i] = rects_[--count_];
        i = 0;
    }
    if (count_ < kCapacity)
        rects_[count_++] = r;
    else
        rects_[kCapacity - 1] = Union(rects_[kCapacity - 1], r);
}

}  // namespace plat
