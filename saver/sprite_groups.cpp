#include "saver/sprite_groups.h"

#include <algorithm>

namespace {

// A place cut to the stage: [left, right) x [top, bottom), empty when
// left >= right or top >= bottom. Cut, it fits 32 bits.
struct Span {
    std::int32_t left, top, right, bottom;
    bool Empty() const { return left >= right || top >= bottom; }
};

Span Clip(const StageArea& a, std::int64_t stageW, std::int64_t stageH) {
    if (a.w <= 0 || a.h <= 0) return {0, 0, 0, 0};
    const auto cut = [](std::int64_t v, std::int64_t limit) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, 0, limit));
    };
    return {cut(a.x, stageW), cut(a.y, stageH), cut(std::int64_t(a.x) + a.w, stageW),
            cut(std::int64_t(a.y) + a.h, stageH)};
}

bool Meet(const Span& a, const Span& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom &&
           !a.Empty() && !b.Empty();
}

Span Around(const Span& a, const Span& b) {
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

}  // namespace

int SpriteGroups::Root(int i) {
    while (first_[i] != i) i = first_[i] = first_[first_[i]];
    return i;
}

void SpriteGroups::Build(const StageArea* places, int count, std::int32_t stageWidth,
                         std::int32_t stageHeight) {
    count_ = std::clamp(count, 0, kMaxSprites);
    std::array<Span, 2 * kMaxSprites> spans;
    std::array<Span, kMaxSprites> around;  // both places: most sprites lie far apart
    for (int i = 0; i < count_; ++i) {
        first_[i] = i;
        spans[2 * i] = Clip(places[2 * i], stageWidth, stageHeight);
        spans[2 * i + 1] = Clip(places[2 * i + 1], stageWidth, stageHeight);
        around[i] = Around(spans[2 * i], spans[2 * i + 1]);
    }
    for (int i = 1; i < count_; ++i) {
        for (int j = 0; j < i; ++j) {
            if (!Meet(around[i], around[j])) continue;
            bool meet = false;
            for (int a = 0; a < 2 && !meet; ++a)
                for (int b = 0; b < 2 && !meet; ++b)
                    meet = Meet(spans[2 * i + a], spans[2 * j + b]);
            if (!meet) continue;
            const int ri = Root(i), rj = Root(j);
            first_[std::max(ri, rj)] = std::min(ri, rj);
        }
    }
    size_.fill(0);
    for (int i = 0; i < count_; ++i) ++size_[first_[i] = Root(i)];
}
