// A memory screen for the saver window without a display: the window's
// pixels, the desktop picture the test supplies, and a record of every
// rectangle drawn onto the window.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/headless/fake_host.h"
#include "platform/saver_window.h"
#include "platform/window_pixels.h"

namespace plat {

struct Rect {
    int x, y, w, h;
};

class HeadlessScreen : public plat::WindowProvider {
  public:
    // Installs itself as the fake host's window factory and as the GDI's
    // window provider, with a screen of the host's size.
    explicit HeadlessScreen(FakeHost& host);
    // A screen of its own size for any host (the render host), installed as
    // the GDI's window provider; its saver window comes from NewWindow.
    HeadlessScreen(int width, int height, double twipsPerPixel);
    std::unique_ptr<SaverWindow> NewWindow();
    double TwipsPerPixelX() const;
    double TwipsPerPixelY() const;
    ~HeadlessScreen() override;

    std::vector<std::uint32_t> desktop;  // the desktop picture; white when empty
    std::vector<std::uint32_t> window;   // what the saver window shows
    std::vector<Rect> drawn;             // rectangles drawn onto the window, in order
    bool shown = false;
    bool closed = false;
    int showCount = 0;
    int width() const { return width_; }
    int height() const { return height_; }
    std::uint32_t Pixel(int x, int y) const {
        return window[static_cast<std::size_t>(y) * width_ + x];
    }
    // Called after each rectangle reaches the window (the render tool uses it).
    std::function<void(const Rect&)> onDrawn;
    // Gives the screen (and the window on it) a new size, as a screen-saver
    // daemon may do to its window: the window's device context is released
    // and the pixels start black; the host reports the new size.
    void Resize(int width, int height);

    bool Acquire(HWND hwnd, plat::WindowSurface& out) override;
    void Changed(HWND hwnd, int x, int y, int width, int height) override;
    void Release(HWND hwnd) override;
    void Reading(HWND hwnd) override;
    bool MayShare(HWND hwnd) override { return hwnd == kWindow; }

    static constexpr HWND kWindow = 0x00030003;

    // The window on this screen, told when the screen resizes or goes.
    struct WindowLink {
        virtual void DropDC() = 0;
        virtual void Detach() = 0;
    };
    void Unlink(WindowLink* w) {
        if (link_ == w) link_ = nullptr;
    }

  private:
    FakeHost* fake_ = nullptr;  // the fake host whose screen size this is
    double twips_ = 15;
    int width_, height_;
    WindowLink* link_ = nullptr;
    std::vector<std::uint32_t> desktopPixels_;
};

}  // namespace plat
