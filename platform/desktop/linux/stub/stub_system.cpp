#include "platform/desktop/linux/stub/stub_system.h"

#include <time.h>

#include <vector>

#include "platform/desktop/linux/frame_window.h"

namespace plat {
namespace {

constexpr int kWidth = 1024, kHeight = 768;

// The saver window: pixels in memory that nothing shows.
class MemoryWindow : public FrameWindow {
  public:
    MemoryWindow(DesktopWindows& windows, SaverEvents& events)
        : FrameWindow(windows, events, kWidth, kHeight),
          pixels_(static_cast<std::size_t>(kWidth) * kHeight, 0xFFFFFF) {}
    ~MemoryWindow() override { Close(); }

    void Show() override {}
    bool CanDraw() override { return true; }
    void Pump() override { Present(); }  // no input ever arrives
    void Wait(std::uint32_t timeoutMs) override {
        Present();
        timespec ts{static_cast<time_t>(timeoutMs / 1000),
                    static_cast<long>(timeoutMs % 1000) * 1000000L};
        nanosleep(&ts, nullptr);
    }

  protected:
    bool Pixels(WindowSurface& out) override {
        out = {pixels_.data(), kWidth, kHeight, kWidth};
        return true;
    }
    bool PresentRects(const PixelRect*, int) override { return true; }
    void Destroy() override {}

  private:
    std::vector<std::uint32_t> pixels_;
};

// No desktop to capture (the caller shows white) and no other windows.
class NoWindows : public SystemWindows {
  public:
    bool CaptureDesktop(unsigned long, int, int, std::uint32_t*, int) override { return false; }
    bool AcquireWindow(HWND, WindowSurface&) override { return false; }
    void Changed(HWND) override {}
    void Release(HWND) override {}
};

class StubSystem : public WindowSystem {
  public:
    bool ReadScreen(int& width, int& height, std::vector<MonitorRect>& monitors) override {
        width = kWidth;
        height = kHeight;
        monitors = {{0, 0, kWidth, kHeight}};
        return true;
    }
    std::unique_ptr<FrameWindow> CreateSaverWindow(DesktopWindows& windows, SaverEvents& events,
                                                   const HackTarget& target,
                                                   std::string& why) override {
        if (target.given) {
            why = "no window to draw into";
            return nullptr;
        }
        return std::make_unique<MemoryWindow>(windows, events);
    }
    std::unique_ptr<SystemWindows> CreateWindows() override {
        return std::make_unique<NoWindows>();
    }
    void ShowCursor(bool) override {}
    bool ShowsMessageBoxes() override { return false; }
};

}  // namespace

// Always there; chosen only when asked for by name (window_systems.cpp).
std::unique_ptr<WindowSystem> CreateStubSystem() {
    return std::make_unique<StubSystem>();
}

}  // namespace plat
