// The drawing operations, forwarded to gdi32 and user32 with the real
// handles.
#include "platform/gdi.h"

#include <cstring>

#include "platform/win32/ansi_text.h"
#include "platform/win32/windows_api.h"

using win32::FromHandle;
using win32::ToHandle;

namespace plat {

HWND GetDesktopWindow() {
    return FromHandle(::GetDesktopWindow());
}

HDC GetDC(HWND hwnd) {
    return FromHandle(::GetDC(ToHandle<::HWND>(hwnd)));
}

int ReleaseDC(HWND hwnd, HDC hdc) {
    return ::ReleaseDC(ToHandle<::HWND>(hwnd), ToHandle<::HDC>(hdc));
}

HDC CreateCompatibleDC(HDC hdc) {
    return FromHandle(::CreateCompatibleDC(ToHandle<::HDC>(hdc)));
}

HBITMAP CreateCompatibleBitmap(HDC hdc, std::int32_t width, std::int32_t height) {
    return FromHandle(::CreateCompatibleBitmap(ToHandle<::HDC>(hdc), width, height));
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj) {
    return FromHandle(::SelectObject(ToHandle<::HDC>(hdc), ToHandle<::HGDIOBJ>(obj)));
}

bool DeleteObject(HGDIOBJ obj) {
    return ::DeleteObject(ToHandle<::HGDIOBJ>(obj)) != FALSE;
}

bool DeleteDC(HDC hdc) {
    return ::DeleteDC(ToHandle<::HDC>(hdc)) != FALSE;
}

// The 64-bit record is larger (8-byte pointer, padding): fill the 24-byte
// 32-bit layout the callers use. The bits pointer does not fit and is 0.
int GetObjectA(HGDIOBJ obj, int size, void* out) {
    const auto h = ToHandle<::HGDIOBJ>(obj);
    if (::GetObjectType(h) != OBJ_BITMAP) return 0;
    ::BITMAP real{};
    if (::GetObjectA(h, sizeof real, &real) == 0) return 0;
    if (out == nullptr) return static_cast<int>(sizeof(plat::BITMAP));
    plat::BITMAP bm{};
    bm.bmType = real.bmType;
    bm.bmWidth = real.bmWidth;
    bm.bmHeight = real.bmHeight;
    bm.bmWidthBytes = real.bmWidthBytes;
    bm.bmPlanes = real.bmPlanes;
    bm.bmBitsPixel = real.bmBitsPixel;
    bm.bmBits = 0;
    const int n = size < static_cast<int>(sizeof bm) ? size : static_cast<int>(sizeof bm);
    if (n <= 0) return 0;
    std::memcpy(out, &bm, static_cast<std::size_t>(n));
    return n;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    return ::SetBkColor(ToHandle<::HDC>(hdc), color);
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    return ::SetTextColor(ToHandle<::HDC>(hdc), color);
}

HBITMAP LoadImageA(std::uintptr_t /*instance*/, const std::string& name, std::uint32_t type, int cx,
                   int cy, std::uint32_t flags) {
    if (type != IMAGE_BITMAP || (flags & LR_LOADFROMFILE) == 0) return 0;
    // A file is a stand-alone image: no module instance.
    return FromHandle(
        ::LoadImageA(nullptr, win32::ToAnsi(name).c_str(), IMAGE_BITMAP, cx, cy, flags));
}

bool BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int sx, int sy,
            std::uint32_t rop) {
    return ::BitBlt(ToHandle<::HDC>(dest), x, y, width, height, ToHandle<::HDC>(src), sx, sy,
                    rop) != FALSE;
}

}  // namespace plat
