#include "platform/desktop/linux/desktop_windows.h"

#include <algorithm>
#include <vector>

#include "platform/desktop/linux/frame_window.h"
#include "platform/desktop/linux/scale_pixels.h"
#include "platform/desktop/linux/window_system.h"

namespace plat {

DesktopWindows::DesktopWindows(std::unique_ptr<SystemWindows> system,
                               std::function<void(int&, int&)> screenSize,
                               std::function<bool(int&, int&)> screen)
    : system_(std::move(system)), screenSize_(std::move(screenSize)), screen_(std::move(screen)) {
    SetWindowProvider(this);
}

DesktopWindows::~DesktopWindows() {
    SetWindowProvider(nullptr);
}

void DesktopWindows::Detach(FrameWindow* window) {
    if (window_ == window) window_ = nullptr;
}

bool DesktopWindows::Acquire(HWND hwnd, WindowSurface& out) {
    if (window_ && hwnd == window_->Handle()) return window_->Acquire(out);
    if (hwnd == kDesktopWindow) return AcquireDesktop(out);
    return hwnd != 0 && system_->AcquireWindow(hwnd, out);
}

// Pixels for the screen, filled with the desktop only once they are read.
bool DesktopWindows::AcquireDesktop(WindowSurface& out) {
    int width = 0, height = 0;
    screenSize_(width, height);
    if (!desktop_ || (desktopRefs_ == 0 && (width != desktopWidth_ || height != desktopHeight_))) {
        desktop_.reset(new std::uint32_t[static_cast<std::size_t>(width) * height]);
        desktopWidth_ = width;
        desktopHeight_ = height;
        desktopCaptured_ = false;
    }
    ++desktopRefs_;
    out = {desktop_.get(), desktopWidth_, desktopHeight_, desktopWidth_};
    return true;
}

// White where the window system shows nothing of the desktop.
void DesktopWindows::CaptureDesktop() {
    desktopCaptured_ = true;
    const std::size_t count = static_cast<std::size_t>(desktopWidth_) * desktopHeight_;
    std::fill_n(desktop_.get(), count, 0xFFFFFFu);
    if (window_ && window_->Scaled()) {
        CaptureWholeScreen();
        return;
    }
    if (!system_->CaptureDesktop(under_, desktopWidth_, desktopHeight_, desktop_.get(),
                                 desktopWidth_))
        std::fill_n(desktop_.get(), count, 0xFFFFFFu);
}

// A reduced screen (a preview) shows the display's whole desktop, brought
// to the size the saver draws at.
void DesktopWindows::CaptureWholeScreen() {
    int w = 0, h = 0;
    if (!screen_ || !screen_(w, h) || w <= 0 || h <= 0) return;
    std::vector<std::uint32_t> whole(static_cast<std::size_t>(w) * h, 0xFFFFFFu);
    if (!system_->CaptureDesktop(0, w, h, whole.data(), w)) return;
    ScaleInto({whole.data(), w, h, w}, {0, 0, desktopWidth_, desktopHeight_}, desktop_.get(),
              desktopWidth_, desktopHeight_, desktopWidth_);
}

// The saver window's pixels reach the screen only when presented.
bool DesktopWindows::MayShare(HWND hwnd) {
    return window_ && hwnd == window_->Handle();
}

void DesktopWindows::Changed(HWND hwnd, int x, int y, int width, int height) {
    if (window_ && hwnd == window_->Handle())
        window_->Changed(x, y, width, height);
    else if (hwnd != kDesktopWindow)
        system_->Changed(hwnd);
}

void DesktopWindows::Writing(HWND hwnd) {
    if (window_ && hwnd == window_->Handle()) window_->FinishPresenting();
}

void DesktopWindows::Reading(HWND hwnd) {
    if (hwnd == kDesktopWindow && desktop_ && !desktopCaptured_) CaptureDesktop();
}

void DesktopWindows::Release(HWND hwnd) {
    if (window_ && hwnd == window_->Handle()) return;
    if (hwnd == kDesktopWindow) {
        // A capture is a screen's worth of memory: give it back once used.
        if (desktopRefs_ > 0) --desktopRefs_;
        if (desktopRefs_ == 0 && desktopCaptured_) desktop_.reset();
        return;
    }
    system_->Release(hwnd);
}

}  // namespace plat
