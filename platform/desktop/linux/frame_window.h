// What every Linux saver window does whatever its window system: pixels the
// GDI draws into, the rectangles drawn since the last presentation (only
// those are handed to the display server), new pixels after a change of
// size with what was shown carried over, and input turned into the form's
// events in twips. A window system supplies the pixels, their presentation
// and the waiting for input.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/desktop/linux/dirty_rects.h"
#include "platform/saver_window.h"
#include "platform/window_pixels.h"

namespace plat {

class DesktopWindows;

class FrameWindow : public SaverWindow {
  public:
    static constexpr double kTwipsPerPixel = 15;

    FrameWindow(DesktopWindows& windows, SaverEvents& events, int width, int height);
    ~FrameWindow() override;
    FrameWindow(const FrameWindow&) = delete;
    FrameWindow& operator=(const FrameWindow&) = delete;

    HWND hWnd() override { return handle_; }
    HDC hDC() override;
    double ScaleWidth() override { return Width() * kTwipsPerPixel; }
    double ScaleHeight() override { return Height() * kTwipsPerPixel; }
    void Refresh() override { Present(); }
    void Close() override;

    // For the host and the GDI: the size the saver draws at (a scaled
    // window's is its pixels' times the scale).
    HWND Handle() const { return handle_; }
    int Width() const { return width_ * scale_; }
    int Height() const { return height_ * scale_; }
    // Whether the saver draws a larger screen shown reduced (a preview).
    bool Scaled() const { return scale_ > 1; }
    // Whether what is drawn can be seen.
    virtual bool CanDraw() = 0;
    // The pixels the GDI draws into, kept until the size changes.
    bool Acquire(WindowSurface& out);
    void Changed(int x, int y, int width, int height) { dirty_.Add({x, y, width, height}); }
    int PendingRects() const { return dirty_.Count(); }  // to be presented at the next pump
    virtual void Pump() = 0;                             // presents, then delivers input
    virtual void Wait(std::uint32_t timeoutMs) = 0;      // sleeps until input or the time-out
    // Waits until the display server has read the pixels last presented,
    // where it reads them after the presentation returned: called before
    // they are written again.
    virtual void FinishPresenting() {}
    // Before a message box shows over the window: lets other windows above
    // it and gives the id the box names as its owner (0: none).
    virtual unsigned long BeforeMessageBox() { return 0; }

  protected:
    // The window system's pixels for the window now; false when it has none.
    virtual bool Pixels(WindowSurface& out) = 0;
    // Shows the given rectangles of the pixels; false when the pixels went
    // invalid under us (the next Acquire takes new ones).
    virtual bool PresentRects(const PixelRect* rects, int count) = 0;
    // Called by Close before the DC goes: the window system lets go.
    virtual void Destroy() = 0;

    void Present();
    void RepaintAll();  // presents every pixel again
    // The window has new pixels (a new size): carry what is shown over,
    // point the DCs at them and present them all.
    void RenewPixels();
    // The window is made anew (a daemon's window at a new size): the DC and
    // the pixels go with the old one.
    void Reset(int width, int height);
    void SetSize(int width, int height) { width_ = width, height_ = height; }
    // The window system's pixels: the window's size on screen.
    int PixelWidth() const { return width_; }
    int PixelHeight() const { return height_; }
    // The saver draws a screen `scale` times the window's size, shown
    // reduced by averaging (1: as it is). Before the first drawing.
    void SetScale(int scale);
    void ReleaseDc();

    // Input in the window's pixels, handed to the form in twips.
    void KeyDown(std::int16_t keyCode, std::int16_t shift);
    void MouseDown(std::int16_t button, std::int16_t shift, int x, int y);
    void MouseMove(std::int16_t buttons, std::int16_t shift, int x, int y);

  private:
    DesktopWindows& windows_;
    SaverEvents& events_;
    HWND handle_;
    HDC dc_ = 0;
    int width_, height_;
    int scale_ = 1;
    DirtyRects dirty_;
    WindowSurface current_{};           // the pixels our DCs draw into
    std::vector<std::uint32_t> large_;  // a scaled window's drawing
    DirtyRects shown_;                  // its rectangles on screen

    void PresentScaled();
};

}  // namespace plat
