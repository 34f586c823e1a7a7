// Windows of the X server that our software GDI can draw into or read: the
// desktop (root window, captured once per GetDC) and a foreign window given
// by its id (the preview window), written back when its DC is released.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/desktop/linux/x11/x11_screenshot.h"
#include "platform/window_pixels.h"

namespace plat {

// Whether the X display of DISPLAY can be opened.
bool CanOpenDisplay();

class X11Windows {
  public:
    X11Windows();
    ~X11Windows();

    // Pixels for the screen, filled with the screen as it is (white where no
    // capture is possible) only once they are read.
    bool AcquireDesktop(int width, int height, plat::WindowSurface& out);
    // The desktop is the one under this window (a daemon's window; see
    // DesktopUnder); 0, the default, is the whole root window.
    void CaptureUnder(unsigned long window) { source_ = window; }
    void Reading(HWND id);
    // The pixels for window id; false when there is no such window.
    bool AcquireWindow(HWND id, plat::WindowSurface& out);
    void Changed(HWND id, int x, int y, int width, int height);
    void Release(HWND id);

  private:
    struct Buffer {
        std::vector<std::uint32_t> pixels;
        int width = 0, height = 0;
        bool dirty = false;
    };
    void* display_ = nullptr;                   // Display*, opened on first use
    std::unique_ptr<std::uint32_t[]> desktop_;  // pages untouched until captured
    int desktopWidth_ = 0, desktopHeight_ = 0;
    bool desktopCaptured_ = false;
    int desktopRefs_ = 0;  // device contexts holding desktop_
    std::map<HWND, Buffer> buffers_;
    unsigned long source_ = 0;

    void* Open();
    bool Capture(const CaptureArea& area, int width, int height, std::uint32_t* dst, int pitch);
};

}  // namespace plat
