// Windows whose pixels their owner holds in memory, and how the GDI reaches
// them. On Linux every window is served this way (the SDL saver window, the
// X11 desktop and preview windows, the headless screen); on Windows only
// while a headless screen or a test installs a provider (real windows are
// gdi32's).
#pragma once
#include <cstdint>

#include "platform/handles.h"

namespace plat {

// The value GetDesktopWindow returns while a provider serves the windows.
constexpr HWND kDesktopWindow = 0x00010010;

// Pixels of a window, owned by its provider: 0x00RRGGBB words (the byte
// order of a 32-bit Windows DIB and of SDL's XRGB8888), pitch in pixels.
struct WindowSurface {
    std::uint32_t* pixels = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t pitch = 0;
};

// Serves GetDC/ReleaseDC for windows (the desktop included). A DC from GetDC
// draws into the window's pixels; every BitBlt into it reports the clipped
// rectangle it wrote through Changed.
class WindowProvider {
  public:
    virtual ~WindowProvider() = default;
    // The pixels of hwnd, valid until Release; false when hwnd is no window.
    virtual bool Acquire(HWND hwnd, WindowSurface& out) = 0;
    virtual void Changed(HWND hwnd, int x, int y, int width, int height) = 0;
    // Called before a BitBlt reads the window's pixels, so that a provider
    // can fill them only when they are read (the desktop is often fetched
    // only as a reference for the screen's format).
    virtual void Reading(HWND) {}
    // Called before a BitBlt writes the window's pixels, through its DC or a
    // bitmap drawing straight into them, so that a provider whose display
    // server may still be reading them for the last presentation can wait.
    virtual void Writing(HWND) {}
    virtual void Release(HWND hwnd) = 0;
    // Whether a bitmap of the window's size, once copied whole onto it, may
    // draw straight into the window's pixels from then on, so that copying
    // its changed parts to the window costs nothing. Only for windows whose
    // pixels reach the screen when presented, never when drawn: the window
    // then holds the bitmap's drawing between presentations. The bitmap takes
    // its own pixels back before anything else writes the window, and when
    // its DC is released or its pixels move.
    virtual bool MayShare(HWND) { return false; }
};

// nullptr: no provider (on Linux GetDC then gives 0 for every window).
void SetWindowProvider(WindowProvider* provider);

// The window's pixels moved (its owner had to make new ones): every DC of
// hwnd draws into the new pixels from now on.
void MoveWindowPixels(HWND hwnd, const WindowSurface& pixels);

}  // namespace plat
