#include "platform/desktop/linux/wayland/wayland_system.h"

#include "platform/desktop/linux/wayland/wl_connection.h"
#include "platform/desktop/linux/wayland/wl_saver_window.h"
#include "platform/desktop/linux/wayland/wl_windows.h"

namespace plat {
namespace {

class WaylandSystem : public WindowSystem {
  public:
    WaylandSystem(std::unique_ptr<WlConnection> wl,
                  std::function<std::unique_ptr<SystemWindows>()> foreign)
        : wl_(std::move(wl)), foreign_(std::move(foreign)) {}

    bool ReadScreen(int& width, int& height, std::vector<MonitorRect>& monitors) override {
        wl_->Layout(width, height, monitors);
        return width > 0 && height > 0;
    }

    std::unique_ptr<FrameWindow> CreateSaverWindow(DesktopWindows& windows, SaverEvents& events,
                                                   const HackTarget& target,
                                                   std::string& why) override {
        if (target.given) {
            why = "no window to draw into";
            return nullptr;
        }
        auto w = std::make_unique<WlSaverWindow>(windows, events, *wl_, cursorShown_);
        if (w->CanDraw()) return w;
        why = "cannot show the saver: the Wayland compositor has no output";
        return nullptr;
    }

    std::unique_ptr<SystemWindows> CreateWindows() override {
        return std::make_unique<WlWindows>(*wl_, foreign_ ? foreign_() : nullptr);
    }

    void ShowCursor(bool show) override { cursorShown_ = show; }

    // The boxes are FLTK's, on XWayland.
    bool ShowsMessageBoxes() override {
        if (boxes_ < 0) {
            auto x = foreign_ ? foreign_() : nullptr;
            boxes_ = x != nullptr;
        }
        return boxes_ == 1;
    }

  private:
    std::unique_ptr<WlConnection> wl_;
    std::function<std::unique_ptr<SystemWindows>()> foreign_;
    bool cursorShown_ = true;
    int boxes_ = -1;
};

}  // namespace

std::unique_ptr<WindowSystem> CreateWaylandSystem(
    std::function<std::unique_ptr<SystemWindows>()> foreign, std::string& why) {
    std::unique_ptr<WlConnection> wl = WlConnection::Open(why);
    if (!wl) return nullptr;
    return std::make_unique<WaylandSystem>(std::move(wl), std::move(foreign));
}

}  // namespace plat
