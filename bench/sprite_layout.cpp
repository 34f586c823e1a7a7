#include "bench/sprite_layout.h"

#include <algorithm>
#include <cstdlib>

namespace {

// A small linear congruential generator: the same positions everywhere.
struct Lcg {
    std::uint32_t state = 12345;
    int Next(int n) {
        state = state * 1664525u + 1013904223u;
        return int((state >> 8) % std::uint32_t(n));
    }
    int Step() {
        const int s = Next(16) - 8;
        return s >= 0 ? s + 1 : s;
    }
};

void WrapAxis(int& pos, int dir, int size, int limit) {
    if (dir < 0 && pos < -size) pos = limit + size;
    if (dir > 0 && pos > limit) pos = -size;
}

}  // namespace

std::vector<Motion> StartMotions(int screenWidth, int screenHeight) {
    Lcg rng;
    std::vector<Motion> out;
    for (const SpriteSize& s : kFlagSizes)
        for (int i = 0; i < s.count; ++i)
            out.push_back({rng.Next(screenWidth), rng.Next(screenHeight), rng.Step(), rng.Step(),
                           s.width, s.height});
    out.push_back(
        {screenWidth - kLogo.width, screenHeight - kLogo.height, 0, 0, kLogo.width, kLogo.height});
    return out;
}

void Step(Motion& m, int screenWidth, int screenHeight) {
    m.x += m.xDir;
    m.y += m.yDir;
    Wrap(m, screenWidth, screenHeight);
}

void Wrap(Motion& m, int screenWidth, int screenHeight) {
    WrapAxis(m.x, m.xDir, m.width, screenWidth);
    WrapAxis(m.y, m.yDir, m.height, screenHeight);
}

int StageAreas(const Area& previous, const Area& drawn, Area out[2]) {
    const int dx = std::abs(drawn.x - previous.x), dy = std::abs(drawn.y - previous.y);
    if (dx + dy > 24) {
        out[0] = previous;
        out[1] = drawn;
        return 2;
    }
    out[0] = {std::min(drawn.x, previous.x), std::min(drawn.y, previous.y), drawn.w + dx,
              drawn.h + dy};
    return 1;
}

std::uint32_t FlagPixel(int x, int y, int width, int height) {
    const int corner = height / 5;
    const bool cut = (x < corner || x >= width - corner) && (y < corner || y >= height - corner);
    if (cut) return 0x00FF00;
    const std::uint32_t stripes[3] = {0xC8102E, 0xFFFFFF, 0x003DA5};
    return stripes[(3 * y / height) % 3];
}

std::uint32_t BackgroundPixel(int x, int y) {
    return ((x / 8 + y / 8) % 2) ? 0xF4F4F4 : 0xE8ECF0;
}
