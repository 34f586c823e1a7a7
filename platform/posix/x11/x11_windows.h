// Windows of the X server that our software GDI can draw into or read: the
// desktop (root window, captured once per GetDC) and a foreign window given
// by its id (the preview window), written back when its DC is released.
#pragma once
#include <cstdint>
#include <map>
#include <vector>

#include "platform/posix/softgdi/softgdi.h"

namespace plat {

// Makes the loss of the X server end the process at once, as a stop from
// outside (Xlib's own handler would run exit handlers mid-frame).
void InstallXConnectionLossHandler();

class X11Windows {
public:
    X11Windows();
    ~X11Windows();

    // The screen as it is now; white where no capture is possible.
    bool AcquireDesktop(int width, int height, softgdi::WindowSurface& out);
    // The pixels for window id; false when there is no such window.
    bool AcquireWindow(HWND id, softgdi::WindowSurface& out);
    void Changed(HWND id, int x, int y, int width, int height);
    void Release(HWND id);

private:
    struct Buffer {
        std::vector<std::uint32_t> pixels;
        int width = 0, height = 0;
        bool dirty = false;
    };
    void* display_ = nullptr;  // Display*, opened on first use
    std::map<HWND, Buffer> buffers_;

    void* Open();
    bool Capture(unsigned long drawable, Buffer& b);
};

}  // namespace plat
