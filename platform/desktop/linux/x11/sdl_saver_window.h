// The saver window on X11: an SDL2 window. Our software GDI draws straight
// into shared memory of our own that X11ShmPixels shows; where the server
// cannot share it, into SDL's window surface; where SDL has no window pixels
// for the screen's format either, into pixels of our own that X11Presenter
// converts.
#pragma once
#include <SDL.h>

#include <memory>
#include <vector>

#include "platform/desktop/linux/frame_window.h"

namespace plat {

class X11Presenter;
class X11ShmPixels;

class SdlSaverWindow : public FrameWindow {
  public:
    // A borderless window of the given size at the screen's origin, above
    // everything, hidden until Show.
    SdlSaverWindow(DesktopWindows& windows, SaverEvents& events, int width, int height);
    ~SdlSaverWindow() override;

    void Show() override;
    bool CanDraw() override;
    void Pump() override;
    void Wait(std::uint32_t timeoutMs) override;
    void FinishPresenting() override;
    unsigned long BeforeMessageBox() override;

    SDL_Window* Sdl() const { return window_; }

  protected:
    // Takes a window made elsewhere (a daemon's window, say).
    SdlSaverWindow(DesktopWindows& windows, SaverEvents& events, SDL_Window* window, int width,
                   int height);
    // Wait, ending also on bytes on fd (not -1), which set *ready.
    void WaitAlso(std::uint32_t timeoutMs, int fd, bool* ready);
    // Puts another SDL window in place of this one's (after a new size).
    void Replace(SDL_Window* window, int width, int height);
    bool Pixels(WindowSurface& out) override;
    bool PresentRects(const PixelRect* rects, int count) override;
    void Destroy() override;

  private:
    SDL_Window* window_ = nullptr;
    // Our own shared pixels, while the server takes them.
    std::unique_ptr<X11ShmPixels> shm_;
    bool shmRefused_ = false;
    // Stand-in pixels when the window surface is not 32-bit XRGB.
    std::vector<std::uint32_t> shadow_;
    SDL_Surface* shadowSurface_ = nullptr;
    // Shows the stand-in pixels where SDL gives the window no pixels.
    std::unique_ptr<X11Presenter> presenter_;
    unsigned long focusBefore_ = 0;  // the X input focus before Show
    bool focusKept_ = false;

    void DropPixels();
    bool SharedPixels(WindowSurface& out);
    void Deliver(const SDL_Event& e);
};

}  // namespace plat
