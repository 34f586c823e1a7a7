// The window's rectangles drawn since the last presentation. A rectangle
// joins one it overlaps when their union is no larger than the two apart:
// fewer requests to X, and no pixel sent twice. Beyond the capacity the
// last one grows to cover what comes.
#pragma once
#include <SDL.h>

#include <array>

namespace plat {

class DirtyRects {
  public:
    static constexpr int kCapacity = 128;
    void Add(const SDL_Rect& r);
    void Clear() { count_ = 0; }
    int Count() const { return count_; }
    const SDL_Rect* Data() const { return rects_.data(); }
    const SDL_Rect& operator[](int i) const { return rects_[i]; }

  private:
    std::array<SDL_Rect, kCapacity> rects_{};
    int count_ = 0;
};

}  // namespace plat
