// Drawing operations, by their Windows names. On Windows they reach gdi32 and
// user32; on Linux they are served by our software GDI over pixel buffers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/handles.h"
#include "platform/rop.h"

namespace plat {

// The raster operations drawing code names, from the table in rop.h.
constexpr std::uint32_t SRCCOPY = RopCodeNamed("SRCCOPY");
constexpr std::uint32_t SRCPAINT = RopCodeNamed("SRCPAINT");
constexpr std::uint32_t SRCAND = RopCodeNamed("SRCAND");
constexpr std::uint32_t SRCINVERT = RopCodeNamed("SRCINVERT");
constexpr std::uint32_t WHITENESS = RopCodeNamed("WHITENESS");
constexpr std::uint32_t BLACKNESS = RopCodeNamed("BLACKNESS");
static_assert(SRCCOPY == 0x00CC0020 && BLACKNESS == 0x00000042);

constexpr std::uint32_t IMAGE_BITMAP = 0;
constexpr std::uint32_t LR_LOADFROMFILE = 0x10;

// The 24-byte bitmap information record (the 32-bit layout).
struct BITMAP {
    std::int32_t bmType;
    std::int32_t bmWidth;
    std::int32_t bmHeight;
    std::int32_t bmWidthBytes;
    std::uint16_t bmPlanes;
    std::uint16_t bmBitsPixel;
    std::uint32_t bmBits;
};
static_assert(sizeof(BITMAP) == 24);

HWND GetDesktopWindow();
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);
HDC CreateCompatibleDC(HDC hdc);
HBITMAP CreateCompatibleBitmap(HDC hdc, std::int32_t width, std::int32_t height);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj);
bool DeleteObject(HGDIOBJ obj);
bool DeleteDC(HDC hdc);
int GetObjectA(HGDIOBJ obj, int size, void* out);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF SetTextColor(HDC hdc, COLORREF color);
// Only IMAGE_BITMAP with LR_LOADFROMFILE is supported; anything else gives 0.
HBITMAP LoadImageA(std::uintptr_t instance, const std::string& name, std::uint32_t type, int cx,
                   int cy, std::uint32_t flags);
bool BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int sx, int sy,
            std::uint32_t rop);

// Not Windows calls, but services the forms runtime gives on Windows:
// a bitmap from .bmp file bytes held in memory (embedded pictures), and
// saving a bitmap as a .bmp file (true on success).
HBITMAP LoadBitmapFromMemory(const std::uint8_t* data, std::size_t size);
bool SaveBitmapFile(HBITMAP bitmap, const std::string& path);

}  // namespace plat
