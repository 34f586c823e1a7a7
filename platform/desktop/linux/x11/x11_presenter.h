// Shows our pixels in an X window with XPutImage, converted to the window's
// visual: for screens SDL makes no window pixels for (a 30-bit or an 8-bit
// pseudo-colour screen). An 8-bit window gets a colour map of its own, a
// 3-3-2 colour cube, so that every picture has its colours near enough.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/desktop/linux/x11/x11_pixels.h"

namespace plat {

class X11Presenter {
  public:
    // Null when the window's visual is one we cannot draw in.
    static std::unique_ptr<X11Presenter> For(unsigned long window);
    ~X11Presenter();
    X11Presenter(const X11Presenter&) = delete;
    X11Presenter& operator=(const X11Presenter&) = delete;

    // Shows the rectangle (x, y, w, h) of pixels (width x height, pitch in
    // pixels) at the same place in the window.
    void Put(const std::uint32_t* pixels, int width, int height, int pitch, int x, int y, int w,
             int h);
    void Flush();

  private:
    X11Presenter() = default;
    void* display_ = nullptr;  // Display*, our own connection
    unsigned long window_ = 0;
    void* gc_ = nullptr;      // GC
    void* visual_ = nullptr;  // Visual*
    int depth_ = 0;
    unsigned long colormap_ = 0;  // ours, 8-bit screens only
    VisualPixels convert_;
    void* image_ = nullptr;  // XImage* of the window's size over buffer_
    std::vector<char> buffer_;
    int imageWidth_ = 0, imageHeight_ = 0;

    bool MakeImage(int width, int height);
};

}  // namespace plat
