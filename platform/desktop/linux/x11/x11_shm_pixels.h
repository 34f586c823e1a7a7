// A window's pixels in shared memory of our own, shown with XShmPutImage on
// an X connection of our own. SDL's window pixels wait for the X server
// after every presentation: a round trip, so a sleep and a wake-up in every
// frame. Here the server's word that it has read the pixels (a completion
// event) is only collected before they are written again, a frame later,
// when it has long arrived. For windows whose pixels are 32-bit words
// 0x00RRGGBB (24-bit true colour), on a server that shares our memory.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/forms.h"

namespace plat {

class X11ShmPixels {
  public:
    // Null where the window's visual or the server does not allow it.
    static std::unique_ptr<X11ShmPixels> For(unsigned long window, int width, int height);
    ~X11ShmPixels();
    X11ShmPixels(const X11ShmPixels&) = delete;
    X11ShmPixels& operator=(const X11ShmPixels&) = delete;

    std::uint32_t* Pixels() const { return pixels_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Shows the rectangles (cut to the pixels); the server reads the pixels
    // after this returns.
    void Put(const PixelRect* rects, int count);
    // Waits until the server has read what Put gave it. A window gone in
    // the meantime gets no answer: the wait then ends after kMaxWaitMs.
    void Finish();

    static constexpr int kMaxWaitMs = 250;

  private:
    X11ShmPixels() = default;
    // The part of r inside the pixels, [x0, x1) x [y0, y1); false when none.
    bool Cut(const PixelRect& r, int& x0, int& y0, int& x1, int& y1) const;
    void* display_ = nullptr;  // Display*, our own connection
    unsigned long window_ = 0;
    void* gc_ = nullptr;       // GC
    void* image_ = nullptr;    // XImage* over the shared memory
    void* segment_ = nullptr;  // XShmSegmentInfo*
    bool attached_ = false;
    int completionType_ = 0;
    bool pending_ = false;       // a Put the server has not yet confirmed
    unsigned long awaited_ = 0;  // the request whose completion confirms it
    std::uint32_t* pixels_ = nullptr;
    int width_ = 0, height_ = 0;
};

}  // namespace plat
