#include "platform/desktop/linux/desktop_windows.h"

#include "platform/desktop/linux/sdl/sdl_saver_window.h"
#include "platform/desktop/linux/x11/x11_windows.h"

namespace plat {

DesktopWindows::DesktopWindows(std::function<void(int&, int&)> screenSize)
    : screenSize_(std::move(screenSize)), x11_(std::make_unique<X11Windows>()) {
    SetWindowProvider(this);
}

DesktopWindows::~DesktopWindows() {
    SetWindowProvider(nullptr);
}

void DesktopWindows::Detach(SdlSaverWindow* window) {
    if (window_ == window) window_ = nullptr;
}

void DesktopWindows::CaptureUnder(unsigned long window) {
    x11_->CaptureUnder(window);
}

bool DesktopWindows::Acquire(HWND hwnd, WindowSurface& out) {
    if (window_ && hwnd == window_->Handle()) return window_->Acquire(out);
    if (hwnd == kDesktopWindow) {
        int w, h;
        screenSize_(w, h);
        return x11_->AcquireDesktop(w, h, out);
    }
    return x11_->AcquireWindow(hwnd, out);
}

void DesktopWindows::Changed(HWND hwnd, int x, int y, int width, int height) {
    if (window_ && hwnd == window_->Handle())
        window_->Changed(x, y, width, height);
    else
        x11_->Changed(hwnd, x, y, width, height);
}

void DesktopWindows::Reading(HWND hwnd) {
    x11_->Reading(hwnd);
}

void DesktopWindows::Release(HWND hwnd) {
    if (window_ && hwnd == window_->Handle()) return;
    x11_->Release(hwnd);
}

}  // namespace plat
