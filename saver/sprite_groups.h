// Which sprites of a frame touch the same pixels of the stage. A sprite's
// frame touches two places: where it was drawn last (put back from its
// store) and where it goes (stored, then drawn over). Sprites whose places
// meet on the stage share a group. Groups touch disjoint pixels, so a frame
// may put back, store and draw one group whole before the next and leave
// the same pixels as each pass over every sprite in turn, while the rows it
// works on are still in the processor's caches.
#pragma once
#include <array>
#include <cstdint>

struct StageArea {
    std::int32_t x, y, w, h;  // empty when w or h is 0 or less
};

class SpriteGroups {
  public:
    static constexpr int kMaxSprites = 64;

    // Sprite i's places are places[2 * i] and places[2 * i + 1], i < count.
    // Pixels outside the stage (0, 0, stageWidth, stageHeight) are never
    // touched, so meeting there does not count. count is at most
    // kMaxSprites (those past it are left out of Count()).
    void Build(const StageArea* places, int count, std::int32_t stageWidth,
               std::int32_t stageHeight);
    int Count() const { return count_; }
    // The lowest index in sprite i's group: the group's first sprite.
    int First(int i) const { return first_[i]; }
    // How many sprites share sprite i's group.
    int Size(int i) const { return size_[first_[i]]; }
    // f(i) for each sprite i of the group led by `first`, in order.
    template <typename F>
    void ForEach(int first, F f) const {
        for (int i = first; i < count_; ++i)
            if (first_[i] == first) f(i);
    }

  private:
    int Root(int i);

    int count_ = 0;
    std::array<int, kMaxSprites> first_{};
    std::array<int, kMaxSprites> size_{};
};
