// The windows of the Linux desktop that the software GDI draws into or
// reads: the saver window while one is open, the desktop picture (taken
// from the window system once it is read, given back once used) and the
// window system's other windows (a preview target). The saver window
// attaches itself here; the GDI asks here for pixels; neither goes through
// the host.
#pragma once
#include <functional>
#include <memory>

#include "platform/window_pixels.h"

namespace plat {

class FrameWindow;
class SystemWindows;

class DesktopWindows : public WindowProvider {
  public:
    // screenSize gives the size of the desktop picture in pixels; screen,
    // where given, the display's whole size (false when unknown).
    DesktopWindows(std::unique_ptr<SystemWindows> system,
                   std::function<void(int& width, int& height)> screenSize,
                   std::function<bool(int& width, int& height)> screen = nullptr);
    ~DesktopWindows() override;

    void Attach(FrameWindow* window) { window_ = window; }
    void Detach(FrameWindow* window);
    FrameWindow* Saver() const { return window_; }
    // The desktop picture is the one under this window (a daemon's).
    void CaptureUnder(unsigned long window) { under_ = window; }

    bool Acquire(HWND hwnd, WindowSurface& out) override;
    void Changed(HWND hwnd, int x, int y, int width, int height) override;
    void Release(HWND hwnd) override;
    void Reading(HWND hwnd) override;
    bool MayShare(HWND hwnd) override;
    void Writing(HWND hwnd) override;

  private:
    std::unique_ptr<SystemWindows> system_;
    std::function<void(int&, int&)> screenSize_;
    std::function<bool(int&, int&)> screen_;
    FrameWindow* window_ = nullptr;
    unsigned long under_ = 0;
    std::unique_ptr<std::uint32_t[]> desktop_;  // pages untouched until captured
    int desktopWidth_ = 0, desktopHeight_ = 0;
    bool desktopCaptured_ = false;
    int desktopRefs_ = 0;  // device contexts holding desktop_

    bool AcquireDesktop(WindowSurface& out);
    void CaptureDesktop();
    void CaptureWholeScreen();
};

}  // namespace plat
