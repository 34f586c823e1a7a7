#include "platform/gdi32/window_dcs.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <set>

#include "platform/blit_clip.h"
#include "platform/gdi_probes.h"
#include "platform/rop.h"
#include "platform/window_pixels.h"

// Last: its macros would rename the declarations above.
#include "platform/system/win32/windows_api.h"

namespace win32::windowdc {
namespace {

struct WindowDc {
    plat::HWND hwnd;
    plat::WindowSurface surface;
    ::HBITMAP dib;
    ::HGDIOBJ old;
    std::uint32_t* bits;
};

plat::WindowProvider* provider = nullptr;
std::map<plat::HDC, WindowDc> windowDcs;
std::set<std::uint32_t> live;
std::map<std::uint32_t, plat::HDC> holder;  // bitmap -> the DC it is selected into

WindowDc* Find(plat::HDC dc) {
    auto it = windowDcs.find(dc);
    return it == windowDcs.end() ? nullptr : &it->second;
}

// Window pixels (0x00RRGGBB) and a top-down 32-bit DIB share a layout.
void Pull(WindowDc& w) {
    ::GdiFlush();
    for (int y = 0; y < w.surface.height; ++y)
        std::copy_n(w.surface.pixels + static_cast<std::ptrdiff_t>(y) * w.surface.pitch,
                    w.surface.width, w.bits + static_cast<std::ptrdiff_t>(y) * w.surface.width);
}

// gdi32 may leave the DIB's unused top byte set (WHITENESS writes all
// ones); window pixels keep it 0.
void Push(WindowDc& w, int x, int y, int width, int height) {
    ::GdiFlush();
    for (int row = y; row < y + height; ++row) {
        const std::uint32_t* from = w.bits + static_cast<std::ptrdiff_t>(row) * w.surface.width + x;
        std::uint32_t* to =
            w.surface.pixels + static_cast<std::ptrdiff_t>(row) * w.surface.pitch + x;
        for (int i = 0; i < width; ++i) to[i] = from[i] & 0xFFFFFFu;
    }
}

// Size of what a DC draws on.
bool SurfaceSize(plat::HDC dc, int& width, int& height) {
    if (const WindowDc* w = Find(dc)) {
        width = w->surface.width;
        height = w->surface.height;
        return true;
    }
    ::BITMAP bm{};
    ::HGDIOBJ bmp = ::GetCurrentObject(ToHandle<::HDC>(dc), OBJ_BITMAP);
    if (bmp == nullptr || ::GetObjectA(bmp, sizeof bm, &bm) == 0) return false;
    width = bm.bmWidth;
    height = bm.bmHeight;
    return true;
}

bool ProviderActiveNow() {
    return provider != nullptr;
}

plat::HDC GetDc(plat::HWND hwnd) {
    if (provider == nullptr) return 0;
    if (hwnd == 0) hwnd = plat::kDesktopWindow;
    plat::WindowSurface s;
    if (!provider->Acquire(hwnd, s)) return 0;
    if (!s.pixels || s.width <= 0 || s.height <= 0 || s.pitch < s.width) {
        provider->Release(hwnd);
        return 0;
    }
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = s.width;
    bi.bmiHeader.biHeight = -s.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    ::HBITMAP dib = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ::HDC dc = ::CreateCompatibleDC(nullptr);
    if (dib == nullptr || dc == nullptr) {
        if (dib) ::DeleteObject(dib);
        if (dc) ::DeleteDC(dc);
        provider->Release(hwnd);
        return 0;
    }
    WindowDc w{hwnd, s, dib, ::SelectObject(dc, dib), static_cast<std::uint32_t*>(bits)};
    Pull(w);
    const plat::HDC handle = FromHandle(dc);
    windowDcs[handle] = w;
    return handle;
}

bool ReleaseDc(plat::HDC dc) {
    WindowDc* w = Find(dc);
    if (w == nullptr) return false;
    const auto real = ToHandle<::HDC>(dc);
    ::SelectObject(real, w->old);
    ::DeleteObject(w->dib);
    ::DeleteDC(real);
    const plat::HWND hwnd = w->hwnd;
    windowDcs.erase(dc);
    if (provider) provider->Release(hwnd);
    return true;
}

// The DIB holds everything drawn through the DC since it was taken; a
// window that is read is asked for its pixels first (the provider may fill
// them only when they are read).
void BlitStarts(plat::HDC dest, plat::HDC src) {
    if (windowDcs.empty()) return;  // no window of a provider: the common case costs this
    if (WindowDc* w = Find(src)) {
        if (provider) provider->Reading(w->hwnd);
        Pull(*w);
    }
    if (Find(dest) != nullptr) ::GdiFlush();
}

void BlitEnded(plat::HDC dest, int x, int y, int width, int height, plat::HDC src, int sx, int sy,
               std::uint32_t rop) {
    if (windowDcs.empty()) return;
    WindowDc* w = Find(dest);
    if (w == nullptr || width <= 0 || height <= 0) return;
    std::int64_t dx = x, dy = y, ssx = sx, ssy = sy, cw = width, ch = height;
    int sWidth = 0, sHeight = 0;
    const bool source = plat::UsesSource(rop);
    if (source && !SurfaceSize(src, sWidth, sHeight)) return;
    const std::int64_t sw = sWidth, sh = sHeight;
    cw = plat::ClipAxis(dx, ssx, cw, w->surface.width, source ? &sw : nullptr);
    ch = plat::ClipAxis(dy, ssy, ch, w->surface.height, source ? &sh : nullptr);
    if (cw <= 0 || ch <= 0) return;
    Push(*w, static_cast<int>(dx), static_cast<int>(dy), static_cast<int>(cw),
         static_cast<int>(ch));
    if (provider)
        provider->Changed(w->hwnd, static_cast<int>(dx), static_cast<int>(dy), static_cast<int>(cw),
                          static_cast<int>(ch));
}

void BeforeRead(plat::HDC dc, int x, int y) {
    WindowDc* w = Find(dc);
    if (w == nullptr) return;
    ::GdiFlush();
    if (x < 0 || y < 0 || x >= w->surface.width || y >= w->surface.height) return;
    if (provider) provider->Reading(w->hwnd);
    w->bits[static_cast<std::ptrdiff_t>(y) * w->surface.width + x] =
        w->surface.pixels[static_cast<std::ptrdiff_t>(y) * w->surface.pitch + x];
}

void AfterWrite(plat::HDC dc, int x, int y) {
    WindowDc* w = Find(dc);
    if (w != nullptr && x >= 0 && y >= 0 && x < w->surface.width && y < w->surface.height)
        Push(*w, x, y, 1, 1);
}

class Probes final : public Hooks {
  public:
    bool ProviderActive() override { return ProviderActiveNow(); }
    plat::HDC Get(plat::HWND hwnd) override { return GetDc(hwnd); }
    bool Release(plat::HDC dc) override { return ReleaseDc(dc); }
    void BeforeBlit(plat::HDC dest, plat::HDC src) override { BlitStarts(dest, src); }
    void AfterBlit(plat::HDC dest, int x, int y, int width, int height, plat::HDC src, int sx,
                   int sy, std::uint32_t rop) override {
        BlitEnded(dest, x, y, width, height, src, sx, sy, rop);
    }
    bool IsWindowDc(plat::HDC dc) override { return Find(dc) != nullptr; }
    void Created(std::uint32_t handle) override {
        if (handle != 0) live.insert(handle);
    }
    void Deleted(std::uint32_t handle) override {
        live.erase(handle);
        for (auto it = holder.begin(); it != holder.end();)
            it = it->second == handle ? holder.erase(it) : std::next(it);
    }
    void Selected(plat::HDC dc, std::uint32_t selected, std::uint32_t previous) override {
        holder.erase(previous);
        if (live.count(selected) != 0) holder[selected] = dc;
    }
    bool IsSelected(std::uint32_t bitmap) override { return holder.count(bitmap) != 0; }
};

// Linked only where a test calls one of the probes below: installs itself.
Probes probes;
const bool installed = (hooks = &probes, true);

}  // namespace

}  // namespace win32::windowdc

namespace plat {

void SetWindowProvider(WindowProvider* p) {
    win32::windowdc::provider = p;
}

int LiveObjects() {
    return static_cast<int>(win32::windowdc::live.size() + win32::windowdc::windowDcs.size());
}

bool ReadPixel(HDC hdc, int x, int y, std::uint32_t& rgb) {
    win32::windowdc::BeforeRead(hdc, x, y);
    const COLORREF c = ::GetPixel(win32::ToHandle<::HDC>(hdc), x, y);
    if (c == CLR_INVALID) return false;
    rgb = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    return true;
}

// On a monochrome surface any colour but black sets the bit.
bool WritePixel(HDC hdc, int x, int y, std::uint32_t rgb) {
    const auto dc = win32::ToHandle<::HDC>(hdc);
    ::BITMAP bm{};
    ::HGDIOBJ bmp = ::GetCurrentObject(dc, OBJ_BITMAP);
    if (bmp != nullptr && ::GetObjectA(bmp, sizeof bm, &bm) != 0 && bm.bmBitsPixel == 1 && rgb != 0)
        rgb = 0xFFFFFF;
    ::GdiFlush();
    const COLORREF c = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    const bool ok = ::SetPixelV(dc, x, y, c) != FALSE;
    win32::windowdc::AfterWrite(hdc, x, y);
    return ok;
}

}  // namespace plat
