#include "platform/desktop/linux/frame_window.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/desktop/linux/desktop_windows.h"
#include "platform/gdi.h"

namespace plat {
namespace {

constexpr HWND kSaverWindowHandle = 0x00020002;

}  // namespace

FrameWindow::FrameWindow(DesktopWindows& windows, SaverEvents& events, int width, int height)
    : windows_(windows),
      events_(events),
      handle_(kSaverWindowHandle),
      width_(width),
      height_(height) {
    windows_.Attach(this);
}

FrameWindow::~FrameWindow() {
    windows_.Detach(this);
}

HDC FrameWindow::hDC() {
    if (!dc_) dc_ = GetDC(handle_);
    return dc_;
}

void FrameWindow::ReleaseDc() {
    if (dc_) ReleaseDC(handle_, dc_);
    dc_ = 0;
}

void FrameWindow::Close() {
    ReleaseDc();
    current_ = {};
    std::vector<std::uint32_t>().swap(large_);
    dirty_.Clear();
    Destroy();
    windows_.Detach(this);
}

bool FrameWindow::Acquire(WindowSurface& out) {
    if (scale_ > 1) {
        if (large_.empty()) large_.assign(static_cast<std::size_t>(Width()) * Height(), 0xFFFFFF);
        out = {large_.data(), Width(), Height(), Width()};
    } else if (!Pixels(out)) {
        return false;
    }
    current_ = out;
    return true;
}

void FrameWindow::SetScale(int scale) {
    scale_ = scale > 1 ? scale : 1;
    std::vector<std::uint32_t>().swap(large_);
}

// Each drawn rectangle, reduced: every window pixel the average of the
// scale x scale pixels it stands for.
void FrameWindow::PresentScaled() {
    WindowSurface real;
    if (large_.empty() || !Pixels(real)) return;
    FinishPresenting();
    shown_.Clear();
    const int k = scale_;
    for (int i = 0; i < dirty_.Count(); ++i) {
        const PixelRect& r = dirty_[i];
        const int x0 = std::max(r.x / k, 0), y0 = std::max(r.y / k, 0);
        const int x1 = std::min((r.x + r.w + k - 1) / k, real.width);
        const int y1 = std::min((r.y + r.h + k - 1) / k, real.height);
        if (x0 >= x1 || y0 >= y1) continue;
        for (int y = y0; y < y1; ++y) {
            std::uint32_t* row = real.pixels + static_cast<std::size_t>(y) * real.pitch;
            for (int x = x0; x < x1; ++x) {
                std::uint32_t sum[3] = {0, 0, 0};
                for (int j = 0; j < k; ++j) {
                    const std::uint32_t* src =
                        &large_[static_cast<std::size_t>(y * k + j) * Width() + x * k];
                    for (int i2 = 0; i2 < k; ++i2) {
                        sum[0] += src[i2] >> 16 & 0xFF;
                        sum[1] += src[i2] >> 8 & 0xFF;
                        sum[2] += src[i2] & 0xFF;
                    }
                }
                const std::uint32_t n = static_cast<std::uint32_t>(k * k);
                row[x] =
                    (sum[0] + n / 2) / n << 16 | (sum[1] + n / 2) / n << 8 | (sum[2] + n / 2) / n;
            }
        }
        shown_.Add({x0, y0, x1 - x0, y1 - y0});
    }
    if (shown_.Count() > 0) PresentRects(shown_.Data(), shown_.Count());
}

void FrameWindow::Present() {
    if (dirty_.Count() == 0) return;
    if (scale_ > 1) {
        PresentScaled();
        dirty_.Clear();
        return;
    }
    if (!PresentRects(dirty_.Data(), dirty_.Count()) && current_.pixels) {
        RenewPixels();  // the pixels went invalid under us: show them all again
        PresentRects(dirty_.Data(), dirty_.Count());
    }
    dirty_.Clear();
}

void FrameWindow::RepaintAll() {
    dirty_.Clear();
    Changed(0, 0, Width(), Height());
    Present();
}

void FrameWindow::RenewPixels() {
    if (scale_ > 1) {  // the drawing is ours: show it all again
        RepaintAll();
        return;
    }
    if (!current_.pixels) return;
    const WindowSurface old = current_;
    std::vector<std::uint32_t> keep(static_cast<std::size_t>(old.width) * old.height);
    for (int y = 0; y < old.height; ++y)
        std::memcpy(&keep[static_cast<std::size_t>(y) * old.width],
                    old.pixels + static_cast<std::size_t>(y) * old.pitch,
                    static_cast<std::size_t>(old.width) * 4);
    current_ = {};
    MoveWindowPixels(handle_, {});  // the old pixels may go with the next call
    WindowSurface now;
    if (!Acquire(now)) return;
    FinishPresenting();
    const int w = std::min(old.width, now.width), h = std::min(old.height, now.height);
    for (int y = 0; y < h; ++y)
        std::memcpy(now.pixels + static_cast<std::size_t>(y) * now.pitch,
                    &keep[static_cast<std::size_t>(y) * old.width],
                    static_cast<std::size_t>(w) * 4);
    MoveWindowPixels(handle_, now);
    width_ = now.width;
    height_ = now.height;
    dirty_.Clear();
    Changed(0, 0, width_, height_);
}

void FrameWindow::Reset(int width, int height) {
    ReleaseDc();
    current_ = {};
    dirty_.Clear();
    width_ = width;
    height_ = height;
    std::vector<std::uint32_t>().swap(large_);
}

void FrameWindow::KeyDown(std::int16_t keyCode, std::int16_t shift) {
    events_.Form_KeyDown(keyCode, shift);
}

void FrameWindow::MouseDown(std::int16_t button, std::int16_t shift, int x, int y) {
    events_.Form_MouseDown(button, shift, static_cast<float>(x * kTwipsPerPixel),
                           static_cast<float>(y * kTwipsPerPixel));
}

void FrameWindow::MouseMove(std::int16_t buttons, std::int16_t shift, int x, int y) {
    events_.Form_MouseMove(buttons, shift, static_cast<float>(x * kTwipsPerPixel),
                           static_cast<float>(y * kTwipsPerPixel));
}

}  // namespace plat
