// The window's rectangles drawn since the last presentation. A rectangle
// joins one it overlaps when their union is no larger than the two apart:
// fewer requests to the display server, and no pixel sent twice. Beyond the capacity the
// last one grows to cover what comes.
#pragma once
#include <array>

#include "platform/forms.h"  // PixelRect: the layout of SDL_Rect

namespace plat {

class DirtyRects {
  public:
    static constexpr int kCapacity = 128;
    void Add(const PixelRect& r);
    void Clear() { count_ = 0; }
    int Count() const { return count_; }
    const PixelRect* Data() const { return rects_.data(); }
    const PixelRect& operator[](int i) const { return rects_[i]; }

  private:
    std::array<PixelRect, kCapacity> rects_{};
    int count_ = 0;
};

}  // namespace plat
