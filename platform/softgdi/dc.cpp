// Device contexts and bitmaps: creation, selection, deletion, information.
#include <cstring>

#include "platform/gdi.h"
#include "platform/softgdi/objects.h"

namespace plat {

using softgdi::Find;
using softgdi::FindBitmap;
using softgdi::FindDC;
using softgdi::Kind;

HWND GetDesktopWindow() {
    return plat::kDesktopWindow;
}

HDC GetDC(HWND hwnd) {
    plat::WindowProvider* p = softgdi::Provider();
    if (!p) return 0;
    if (hwnd == 0) hwnd = plat::kDesktopWindow;  // 0 asks for the screen
    plat::WindowSurface pixels;
    if (!p->Acquire(hwnd, pixels)) return 0;
    if (!pixels.pixels || pixels.width <= 0 || pixels.height <= 0 || pixels.pitch < pixels.width) {
        p->Release(hwnd);
        return 0;
    }
    return softgdi::NewWindowDC(hwnd, pixels);
}

int ReleaseDC(HWND, HDC hdc) {
    softgdi::Entry* e = Find(hdc);
    if (!e || e->kind != Kind::WindowDC) return 0;
    const HWND window = e->dc.hwnd;
    softgdi::Unshare(window);  // the window's pixels may go once it is given back
    softgdi::FreeEntry(hdc);
    if (plat::WindowProvider* p = softgdi::Provider()) p->Release(window);
    return 1;
}

HDC CreateCompatibleDC(HDC hdc) {
    if (hdc != 0 && !FindDC(hdc)) return 0;
    return softgdi::NewMemoryDC();
}

// A reference of 0 or a window DC means the screen: 32-bit colour. A memory
// DC gives the format of the bitmap it holds.
HBITMAP CreateCompatibleBitmap(HDC hdc, std::int32_t width, std::int32_t height) {
    bool mono = false;
    if (hdc != 0) {
        softgdi::Surface* s = softgdi::SurfaceOf(hdc);
        if (!s) return 0;
        mono = s->mono;
    }
    if (width < 0 || height < 0) return 0;
    if (width == 0 || height == 0) return softgdi::kStockBitmap;
    return softgdi::NewBitmap(width, height, mono);
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj) {
    softgdi::Entry* dcEntry = Find(hdc);
    softgdi::Bitmap* b = FindBitmap(obj);
    if (!dcEntry || dcEntry->kind != Kind::MemoryDC || !b) return 0;
    softgdi::Dc& dc = dcEntry->dc;
    if (dc.bitmap == obj) return obj;
    const bool stock = obj == softgdi::kStockBitmap;
    if (!stock && b->selectedIn != 0) return 0;  // held by another DC
    const HBITMAP old = dc.bitmap;
    if (softgdi::Bitmap* ob = FindBitmap(old)) ob->selectedIn = 0;
    if (!stock) b->selectedIn = hdc;
    dc.bitmap = obj;
    return old;
}

bool DeleteObject(HGDIOBJ obj) {
    softgdi::Entry* e = Find(obj);
    if (!e) return false;
    if (e->kind == Kind::Stock) return true;
    if (e->kind != Kind::Bitmap || e->bitmap->selectedIn != 0) return false;
    softgdi::FreeEntry(obj);
    return true;
}

bool DeleteDC(HDC hdc) {
    softgdi::Entry* e = Find(hdc);
    if (!e || e->kind != Kind::MemoryDC) return false;
    if (softgdi::Bitmap* b = FindBitmap(e->dc.bitmap); b && e->dc.bitmap != softgdi::kStockBitmap)
        b->selectedIn = 0;  // the bitmap lives on, free to be selected again
    softgdi::FreeEntry(hdc);
    return true;
}

int GetObjectA(HGDIOBJ obj, int size, void* out) {
    softgdi::Bitmap* b = FindBitmap(obj);
    if (!b) return 0;
    if (!out) return sizeof(BITMAP);
    if (size < static_cast<int>(sizeof(BITMAP))) return 0;
    const softgdi::Surface& s = b->surface;
    const int bpp = s.mono ? 1 : 32;
    BITMAP bm{};
    bm.bmWidth = s.width;
    bm.bmHeight = s.height;
    bm.bmWidthBytes = ((s.width * bpp + 15) / 16) * 2;
    bm.bmPlanes = 1;
    bm.bmBitsPixel = static_cast<std::uint16_t>(bpp);
    std::memcpy(out, &bm, sizeof bm);
    return sizeof(BITMAP);
}

constexpr COLORREF kInvalidColor = 0xFFFFFFFF;

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    softgdi::Dc* dc = FindDC(hdc);
    if (!dc) return kInvalidColor;
    const COLORREF old = dc->bkColor;
    dc->bkColor = color & 0xFFFFFF;
    return old;
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    softgdi::Dc* dc = FindDC(hdc);
    if (!dc) return kInvalidColor;
    const COLORREF old = dc->textColor;
    dc->textColor = color & 0xFFFFFF;
    return old;
}

}  // namespace plat
