// Windows of the X server that our software GDI can draw into or read: the
// desktop (the root window, or the picture a daemon keeps; see
// x11_screenshot.h) and a foreign window given by its id (the preview
// window), written back when its DC is released.
#pragma once
#include <cstdint>
#include <map>
#include <vector>

#include "platform/desktop/linux/window_system.h"
#include "platform/desktop/linux/x11/x11_screenshot.h"

namespace plat {

// Whether the X display of DISPLAY can be opened.
bool CanOpenDisplay();

class X11Windows : public SystemWindows {
  public:
    X11Windows();
    ~X11Windows() override;

    bool CaptureDesktop(unsigned long under, int width, int height, std::uint32_t* dst,
                        int pitch) override;
    bool AcquireWindow(HWND id, WindowSurface& out) override;
    void Changed(HWND id) override;
    void Release(HWND id) override;

  private:
    struct Buffer {
        std::vector<std::uint32_t> pixels;
        int width = 0, height = 0;
        bool dirty = false;
    };
    void* display_ = nullptr;  // Display*, opened on first use
    std::map<HWND, Buffer> buffers_;

    void* Open();
    bool Capture(const CaptureArea& area, int width, int height, std::uint32_t* dst, int pitch);
};

}  // namespace plat
