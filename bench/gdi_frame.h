// One saver frame with the graphics classes over the software GDI, as the
// saver draws one over a desktop picture (on a tiled background it puts
// back from a small sheet of the tile and stores nothing, as SaverFrames
// measures): restore, move and store, draw, stage to a screen-sized
// window whose pixels the back buffer shares once copied whole onto it, as
// the saver's own window allows (so the stage's copies cost nothing). Left
// out: the presentation to the display server and the pumps for input, which
// scripts/measure-cpu.sh measures in the running program; and the logo moves
// here like a flag, where the saver's stays in its corner; the flags are
// the sizes of sprite_layout.h, larger than the shipped pictures.
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
    bool MayShare(plat::HWND) override { return true; }

  private:
    int width_, height_;
    std::vector<std::uint32_t> screen_;
    plat::HDC screenDC_ = 0;
    cBitmap back_;
    std::vector<std::shared_ptr<cSpriteBitmaps>> sheets_;
    std::vector<std::unique_ptr<cSprite>> sprites_;
    std::vector<Motion> motions_;
};
