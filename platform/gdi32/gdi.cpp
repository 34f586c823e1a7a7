// The drawing operations, forwarded to gdi32 and user32 with the real
// handles. While a test installs a window provider, windows are served from
// it instead (window_dcs.h).
#include "platform/gdi.h"

#include <cstring>

#include "platform/files.h"
#include "platform/gdi32/bmp_decode.h"
#include "platform/gdi32/window_dcs.h"
#include "platform/window_pixels.h"

// Last: its macros would rename the declarations above.
#include "platform/system/win32/windows_api.h"

namespace win32::windowdc {
Hooks* hooks = nullptr;
}  // namespace win32::windowdc

namespace windowdc = win32::windowdc;

using win32::FromHandle;
using win32::ToHandle;

namespace plat {

HWND GetDesktopWindow() {
    if (windowdc::ProviderActive()) return plat::kDesktopWindow;
    return FromHandle(::GetDesktopWindow());
}

HDC GetDC(HWND hwnd) {
    if (windowdc::ProviderActive()) return windowdc::Get(hwnd);
    ::HWND h = ToHandle<::HWND>(hwnd);
    ::HDC dc = ::GetDC(h);
    // The desktop's (0, 0) is the saver window's: the virtual screen's
    // top-left corner, left of or above the primary monitor's if need be.
    if (dc != nullptr && h == ::GetDesktopWindow())
        ::SetViewportOrgEx(dc, ::GetSystemMetrics(SM_XVIRTUALSCREEN),
                           ::GetSystemMetrics(SM_YVIRTUALSCREEN), nullptr);
    return FromHandle(dc);
}

int ReleaseDC(HWND hwnd, HDC hdc) {
    if (windowdc::Release(hdc)) return 1;
    return ::ReleaseDC(ToHandle<::HWND>(hwnd), ToHandle<::HDC>(hdc));
}

HDC CreateCompatibleDC(HDC hdc) {
    const HDC dc = FromHandle(::CreateCompatibleDC(ToHandle<::HDC>(hdc)));
    windowdc::Created(dc);
    return dc;
}

// Reference 0 means the screen, as in our software GDI (gdi32 itself
// refuses a null DC here). A negative size is an error; size 0 gives the
// shared 1-by-1 bitmap, which is never counted or freed.
HBITMAP CreateCompatibleBitmap(HDC hdc, std::int32_t width, std::int32_t height) {
    if (width < 0 || height < 0) return 0;
    ::HDC ref = hdc != 0 ? ToHandle<::HDC>(hdc) : ::GetDC(nullptr);
    const HBITMAP bmp = FromHandle(::CreateCompatibleBitmap(ref, width, height));
    if (hdc == 0) ::ReleaseDC(nullptr, ref);
    if (width != 0 && height != 0) windowdc::Created(bmp);
    return bmp;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj) {
    const HGDIOBJ old = FromHandle(::SelectObject(ToHandle<::HDC>(hdc), ToHandle<::HGDIOBJ>(obj)));
    if (old != 0) windowdc::Selected(hdc, obj, old);
    return old;
}

// A bitmap still selected into a DC is not deleted (as Windows documents).
bool DeleteObject(HGDIOBJ obj) {
    if (windowdc::IsSelected(obj)) return false;
    const bool ok = ::DeleteObject(ToHandle<::HGDIOBJ>(obj)) != FALSE;
    if (ok) windowdc::Deleted(obj);
    return ok;
}

// Window DCs are given back with ReleaseDC, never deleted.
bool DeleteDC(HDC hdc) {
    if (windowdc::IsWindowDc(hdc)) return false;
    const bool ok = ::DeleteDC(ToHandle<::HDC>(hdc)) != FALSE;
    if (ok) windowdc::Deleted(hdc);
    return ok;
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
    // A record too small for the whole answer gets nothing.
    if (size < static_cast<int>(sizeof bm)) return 0;
    std::memcpy(out, &bm, sizeof bm);
    return static_cast<int>(sizeof bm);
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    return ::SetBkColor(ToHandle<::HDC>(hdc), color);
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    return ::SetTextColor(ToHandle<::HDC>(hdc), color);
}

namespace {

constexpr std::size_t kMaxFileBytes = 256u << 20;

// A copy of bmp at the requested size (nearest pixel), in the same format.
::HBITMAP Resized(::HBITMAP bmp, int cx, int cy) {
    ::BITMAP bm{};
    ::GetObjectA(bmp, sizeof bm, &bm);
    if (cx == 0) cx = bm.bmWidth;
    if (cy == 0) cy = bm.bmHeight;
    if (cx == bm.bmWidth && cy == bm.bmHeight) return bmp;
    ::HDC from = ::CreateCompatibleDC(nullptr);
    ::HDC to = ::CreateCompatibleDC(nullptr);
    ::HGDIOBJ oldFrom = ::SelectObject(from, bmp);
    ::HBITMAP out = ::CreateCompatibleBitmap(from, cx, cy);
    if (out != nullptr) {
        ::HGDIOBJ oldTo = ::SelectObject(to, out);
        ::SetStretchBltMode(to, COLORONCOLOR);
        ::StretchBlt(to, 0, 0, cx, cy, from, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        ::SelectObject(to, oldTo);
    }
    ::SelectObject(from, oldFrom);
    ::DeleteDC(from);
    ::DeleteDC(to);
    ::DeleteObject(bmp);
    return out;
}

}  // namespace

// The file goes through the same checked reader as pictures in memory:
// gdi32's own loader takes truncated or malformed files (and gives a
// picture of whatever follows), and top-down files come out blank under
// Wine.
HBITMAP LoadImageA(std::uintptr_t /*instance*/, const std::string& name, std::uint32_t type, int cx,
                   int cy, std::uint32_t flags) {
    if (type != IMAGE_BITMAP || (flags & LR_LOADFROMFILE) == 0 || cx < 0 || cy < 0) return 0;
    const std::string bytes = ReadWholeFile(name, kMaxFileBytes).value_or("");
    ::HBITMAP bmp = win32::BitmapFromBmpBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                              bytes.size());
    if (bmp != nullptr) bmp = Resized(bmp, cx, cy);
    const HBITMAP handle = FromHandle(bmp);
    windowdc::Created(handle);
    return handle;
}

namespace {

bool IsDc(HDC hdc) {
    const DWORD kind = ::GetObjectType(ToHandle<::HGDIOBJ>(hdc));
    return kind == OBJ_DC || kind == OBJ_MEMDC;
}

}  // namespace

// An empty or negative rectangle draws nothing (gdi32 would mirror a
// negative one).
bool BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int sx, int sy,
            std::uint32_t rop) {
    if (width <= 0 || height <= 0) return IsDc(dest) && (!UsesSource(rop) || IsDc(src));
    windowdc::BeforeBlit(dest, src);
    const bool ok = ::BitBlt(ToHandle<::HDC>(dest), x, y, width, height, ToHandle<::HDC>(src), sx,
                             sy, rop) != FALSE;
    if (ok) windowdc::AfterBlit(dest, x, y, width, height, src, sx, sy, rop);
    return ok;
}

}  // namespace plat
