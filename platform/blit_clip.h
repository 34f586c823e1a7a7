// The clipping of a BitBlt rectangle, shared by the GDI stand-ins of every
// platform so that all of them agree on what a copy touches.
#pragma once
#include <algorithm>
#include <cstdint>

namespace plat {

// Clips one axis to the destination and, when it is read, the source:
// moves the start d (and s) forward past negative coordinates and returns
// the remaining length (<= 0: nothing to do).
inline std::int64_t ClipAxis(std::int64_t& d, std::int64_t& s, std::int64_t len,
                             std::int64_t dLimit, const std::int64_t* sLimit) {
    std::int64_t cut = -d;
    if (sLimit) cut = std::max(cut, -s);
    if (cut > 0) d += cut, s += cut, len -= cut;
    len = std::min(len, dLimit - d);
    if (sLimit) len = std::min(len, *sLimit - s);
    return len;
}

}  // namespace plat
