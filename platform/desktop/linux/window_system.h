// One window system of the Linux desktop (X11, Wayland, a memory screen).
// The desktop host takes it from the table (window_systems.h) at start and
// asks it for everything that depends on the display server: the screen's
// layout, the saver window, the desktop picture, foreign windows and the
// cursor. The rest of the desktop (the host, the frame logic of the saver
// window, the forms) is the same for all of them.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop/linux/hack_target.h"
#include "platform/desktop/linux/screen_layout.h"
#include "platform/window_pixels.h"

namespace plat {

class DesktopWindows;
class FrameWindow;
struct SaverEvents;

// The windows of the system that the GDI reaches besides the saver window:
// the desktop as it is and a window given by its id (a preview target).
class SystemWindows {
  public:
    virtual ~SystemWindows() = default;
    // Fills dst (width x height, pitch in pixels) with the desktop: the part
    // under window `under` (a daemon's window), or the whole screen from its
    // origin for 0. False when it cannot be read (the caller shows white).
    virtual bool CaptureDesktop(unsigned long under, int width, int height, std::uint32_t* dst,
                                int pitch) = 0;
    // The pixels of window id as they are, valid until Release; false when
    // there is no such window. Changed pixels are written back at Release.
    virtual bool AcquireWindow(HWND id, WindowSurface& out) = 0;
    virtual void Changed(HWND id) = 0;
    virtual void Release(HWND id) = 0;
};

class WindowSystem {
  public:
    virtual ~WindowSystem() = default;
    // The screen the saver covers: the size of the whole and each monitor in
    // it, the primary one first (the forms centre on it). False when there
    // is no screen to read.
    virtual bool ReadScreen(int& width, int& height, std::vector<MonitorRect>& monitors) = 0;
    // The saver window: inside a daemon's window when target.given, else
    // across the whole screen. Null when nothing drawn in it could be seen,
    // with what to tell the user in why.
    virtual std::unique_ptr<FrameWindow> CreateSaverWindow(DesktopWindows& windows,
                                                           SaverEvents& events,
                                                           const HackTarget& target,
                                                           std::string& why) = 0;
    virtual std::unique_ptr<SystemWindows> CreateWindows() = 0;
    // The pointer over the saver's windows.
    virtual void ShowCursor(bool show) = 0;
    // Whether a message box can be shown to a person (false: the text goes
    // to standard error).
    virtual bool ShowsMessageBoxes() = 0;
};

}  // namespace plat
