// One saver frame with the graphics classes over the software GDI: restore,
// move and store, draw, stage to a screen-sized window.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "bench/sprite_layout.h"
#include "graphics/cbitmap.h"
#include "graphics/csprite.h"
#include "platform/gdi_probes.h"
#include "platform/window_pixels.h"

class GdiFrame : public plat::WindowProvider {
  public:
    GdiFrame(int width, int height);
    ~GdiFrame() override;
    void Run();
    // Bytes the blits of the last frame wrote (each also reads as many).
    std::int64_t BytesWritten() const;
    // The screen's pixel, to compare with the peer.
    std::uint32_t ScreenPixel(int x, int y) const { return screen_[y * width_ + x] & 0xFFFFFF; }

    bool Acquire(plat::HWND, plat::WindowSurface& out) override;
    void Changed(plat::HWND, int, int, int, int) override {}
    void Release(plat::HWND) override {}

  private:
    int width_, height_;
    std::vector<std::uint32_t> screen_;
    plat::HDC screenDC_ = 0;
    cBitmap back_;
    std::vector<std::shared_ptr<cSpriteBitmaps>> sheets_;
    std::vector<std::unique_ptr<cSprite>> sprites_;
    std::vector<Motion> motions_;
};
