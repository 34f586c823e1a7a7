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
    dirty_.Clear();
    Destroy();
    windows_.Detach(this);
}

bool FrameWindow::Acquire(WindowSurface& out) {
    if (!Pixels(out)) return false;
    current_ = out;
    return true;
}

void FrameWindow::Present() {
    if (dirty_.Count() == 0) return;
    if (!PresentRects(dirty_.Data(), dirty_.Count()) && current_.pixels) {
        RenewPixels();  // the pixels went invalid under us: show them all again
        PresentRects(dirty_.Data(), dirty_.Count());
    }
    dirty_.Clear();
}

void FrameWindow::RepaintAll() {
    dirty_.Clear();
    Changed(0, 0, width_, height_);
    Present();
}

void FrameWindow::RenewPixels() {
    if (!current_.pixels) return;
    const WindowSurface old = current_;
    std::vector<std::uint32_t> keep(static_cast<std::size_t>(old.width) * old.height);
    for (int y = 0; y < old.height; ++y)
        std::memcpy(&keep[static_cast<std::size_t>(y) * old.width],
                    old.pixels + static_cast<std::size_t>(y) * old.pitch,
                    static_cast<std::size_t>(old.width) * 4);
    current_ = {};
    WindowSurface now;
    if (!Acquire(now)) return;
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
