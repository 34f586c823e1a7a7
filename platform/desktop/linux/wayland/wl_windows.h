// The desktop picture on Wayland: each output copied through wlroots'
// screen copy (before the saver's surfaces are mapped) and placed in the
// saver's screen at the output's logical place, scaled to its logical size.
// Windows named by an X id (a preview's) are XWayland's, served by the X11
// window system's windows when XWayland is there.
#pragma once
#include <memory>

#include "platform/desktop/linux/window_system.h"

namespace plat {

class WlConnection;

class WlWindows : public SystemWindows {
  public:
    // foreign: the windows of XWayland, or null.
    WlWindows(WlConnection& wl, std::unique_ptr<SystemWindows> foreign);
    ~WlWindows() override;

    bool CaptureDesktop(unsigned long under, int width, int height, std::uint32_t* dst,
                        int pitch) override;
    bool AcquireWindow(HWND id, WindowSurface& out) override;
    void Changed(HWND id) override;
    void Release(HWND id) override;

  private:
    WlConnection& wl_;
    std::unique_ptr<SystemWindows> foreign_;
};

}  // namespace plat
