// The saver window on Linux: a borderless SDL2 window covering the screen.
// Our software GDI draws straight into its window surface; the rectangles
// drawn are presented at the next pump, never the whole screen per frame.
#pragma once
#include <SDL.h>

#include <memory>
#include <vector>

#include "platform/desktop/linux/sdl/dirty_rects.h"
#include "platform/saver_window.h"
#include "platform/window_pixels.h"

namespace plat {

class DesktopWindows;
class X11Presenter;

class SdlSaverWindow : public SaverWindow {
  public:
    SdlSaverWindow(DesktopWindows& windows, SaverEvents& events, int width, int height);
    ~SdlSaverWindow() override;

    HWND hWnd() override { return handle_; }
    HDC hDC() override;
    double ScaleWidth() override;
    double ScaleHeight() override;
    void Show() override;
    void Refresh() override;
    void Close() override;

    // For the host.
    HWND Handle() const { return handle_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    SDL_Window* Sdl() const { return window_; }
    bool Acquire(plat::WindowSurface& out);
    // Whether what is drawn can be shown: SDL's window pixels, or where SDL
    // has none for the screen's format, our own through X.
    bool CanDraw();
    void Changed(int x, int y, int width, int height);
    int PendingRects() const { return dirty_.Count(); }  // to be presented at the next pump
    virtual void Pump();                 // presents drawn rectangles, delivers input
    void Wait(std::uint32_t timeoutMs);  // sleeps until input or the time-out

  protected:
    // Takes a window made elsewhere (a daemon's window, say).
    SdlSaverWindow(DesktopWindows& windows, SaverEvents& events, SDL_Window* window, int width,
                   int height);
    // Puts another SDL window in place of this one's (after a new size): the
    // device context and the pixels go with the old one.
    void Replace(SDL_Window* window, int width, int height);
    void RepaintAll();  // presents every pixel again

  private:
    DesktopWindows& windows_;
    SaverEvents& events_;
    SDL_Window* window_ = nullptr;
    HWND handle_;
    HDC dc_ = 0;
    int width_, height_;
    // Stand-in pixels when the window surface is not 32-bit XRGB.
    std::vector<std::uint32_t> shadow_;
    SDL_Surface* shadowSurface_ = nullptr;
    // Shows the stand-in pixels where SDL gives the window no pixels.
    std::unique_ptr<X11Presenter> presenter_;
    DirtyRects dirty_;
    unsigned long focusBefore_ = 0;  // the X input focus before Show
    bool focusKept_ = false;

    void Present();
    // After the window's size changed, SDL makes new window pixels and frees
    // the old ones: carry what is shown over and point our DCs at them.
    void RenewSurface();
    plat::WindowSurface current_{};  // the pixels our DCs draw into
    void Deliver(const SDL_Event& e);
};

}  // namespace plat
