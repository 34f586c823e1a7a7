// The windows of the Linux desktop that the software GDI draws into or
// reads: the saver window (SDL2) while one is open, the X server's desktop
// and foreign windows (a preview target). The saver window attaches itself
// here; the GDI asks here for pixels; neither goes through the host.
#pragma once
#include <functional>
#include <memory>

#include "platform/window_pixels.h"

namespace plat {

class SdlSaverWindow;
class X11Windows;

class DesktopWindows : public WindowProvider {
  public:
    // screenSize gives the size of the desktop picture in pixels.
    explicit DesktopWindows(std::function<void(int& width, int& height)> screenSize);
    ~DesktopWindows() override;

    void Attach(SdlSaverWindow* window) { window_ = window; }
    void Detach(SdlSaverWindow* window);
    SdlSaverWindow* Saver() const { return window_; }
    // The desktop picture is the one under this X window (a daemon's).
    void CaptureUnder(unsigned long window);

    bool Acquire(HWND hwnd, WindowSurface& out) override;
    void Changed(HWND hwnd, int x, int y, int width, int height) override;
    void Release(HWND hwnd) override;
    void Reading(HWND hwnd) override;

  private:
    std::function<void(int&, int&)> screenSize_;
    SdlSaverWindow* window_ = nullptr;
    std::unique_ptr<X11Windows> x11_;
};

}  // namespace plat
