// Hooks of the software GDI for the window backends (SDL2, X11, headless).
// Colour pixels are 32-bit 0x00RRGGBB (the byte order of a 32-bit Windows
// DIB and of SDL's XRGB8888).
//
// Behaviour beyond the Windows documentation: CreateCompatibleBitmap with
// reference 0 makes a screen-format (colour) bitmap; BitBlt applies any
// ternary raster operation, drawing with the fresh DC's white brush; a
// black-and-white 1-bit .bmp file loads as a monochrome bitmap.
#pragma once
#include <cstdint>

#include "platform/handles.h"

namespace softgdi {

// The value GetDesktopWindow returns.
constexpr plat::HWND kDesktopWindow = 0x00010010;

// Pixels of a window, owned by its backend. pitch is in pixels.
struct WindowSurface {
    std::uint32_t* pixels = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t pitch = 0;
};

// Serves GetDC/ReleaseDC for windows (the desktop included). A DC from GetDC
// draws straight into the window's pixels; every BitBlt into it reports the
// clipped rectangle it wrote through Changed.
class WindowProvider {
  public:
    virtual ~WindowProvider() = default;
    // The pixels of hwnd, valid until Release; false when hwnd is no window.
    virtual bool Acquire(plat::HWND hwnd, WindowSurface& out) = 0;
    virtual void Changed(plat::HWND hwnd, int x, int y, int width, int height) = 0;
    // Called before a BitBlt reads the window's pixels, so that a provider
    // can fill them only when they are read (the desktop is often fetched
    // only as a reference for the screen's format).
    virtual void Reading(plat::HWND) {}
    virtual void Release(plat::HWND hwnd) = 0;
};

// The window's pixels moved (its backend had to make new ones): every DC of
// hwnd draws into the new pixels from now on.
void MoveWindowPixels(plat::HWND hwnd, const WindowSurface& pixels);

// nullptr: no window provider; GetDC then gives 0 for every window.
void SetWindowProvider(WindowProvider* provider);

// Device contexts and bitmaps alive now (for tests that count handles); the
// stock 1-by-1 bitmap of fresh memory DCs is not counted.
int LiveObjects();

// One pixel of what a DC draws on (its selected bitmap, or its window), as
// 0x00RRGGBB; monochrome reads as black or white. False off the surface or
// for a handle that is no DC. For tests and benchmarks.
bool ReadPixel(plat::HDC hdc, int x, int y, std::uint32_t& rgb);
// Sets one pixel; on a monochrome surface any colour but black sets the bit.
bool WritePixel(plat::HDC hdc, int x, int y, std::uint32_t rgb);

}  // namespace softgdi
