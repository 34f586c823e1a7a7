// The software GDI's hooks for tests, served by the real GDI (window_dcs.cpp,
// the library corvane_gdi32_probes): while a test installs a window provider
// (plat::SetWindowProvider), GetDC gives a memory DC over a copy of the
// provider's pixels; every BitBlt into it is written back and reported, as
// our software GDI does. Also counts the DCs and bitmaps the platform layer
// made (plat::LiveObjects) and refuses to delete a selected bitmap (gdi32
// under Wine deletes one; Windows refuses to). Only tests link that library:
// in the programs no hooks are installed, the calls below cost a test of a
// null pointer, and windows are real windows.
#pragma once
#include <cstdint>

#include "platform/handles.h"

namespace win32::windowdc {

struct Hooks {
    virtual bool ProviderActive() = 0;
    // A DC for hwnd from the provider, or 0 when it has no such window.
    virtual plat::HDC Get(plat::HWND hwnd) = 0;
    // True when dc came from Get (it is then freed).
    virtual bool Release(plat::HDC dc) = 0;
    // Before and after a BitBlt between these DCs.
    virtual void BeforeBlit(plat::HDC dest, plat::HDC src) = 0;
    virtual void AfterBlit(plat::HDC dest, int x, int y, int width, int height, plat::HDC src,
                           int sx, int sy, std::uint32_t rop) = 0;
    virtual bool IsWindowDc(plat::HDC dc) = 0;
    // Bookkeeping of live DCs and bitmaps, and of which DC holds which bitmap.
    virtual void Created(std::uint32_t handle) = 0;
    virtual void Deleted(std::uint32_t handle) = 0;
    virtual void Selected(plat::HDC dc, std::uint32_t selected, std::uint32_t previous) = 0;
    virtual bool IsSelected(std::uint32_t bitmap) = 0;

  protected:
    ~Hooks() = default;
};

// Set by the probes library when a test links it; nullptr in the programs.
extern Hooks* hooks;

inline bool ProviderActive() {
    return hooks && hooks->ProviderActive();
}
inline plat::HDC Get(plat::HWND hwnd) {
    return hooks ? hooks->Get(hwnd) : 0;
}
inline bool Release(plat::HDC dc) {
    return hooks && hooks->Release(dc);
}
inline void BeforeBlit(plat::HDC dest, plat::HDC src) {
    if (hooks) hooks->BeforeBlit(dest, src);
}
inline void AfterBlit(plat::HDC dest, int x, int y, int width, int height, plat::HDC src, int sx,
                      int sy, std::uint32_t rop) {
    if (hooks) hooks->AfterBlit(dest, x, y, width, height, src, sx, sy, rop);
}
inline bool IsWindowDc(plat::HDC dc) {
    return hooks && hooks->IsWindowDc(dc);
}
inline void Created(std::uint32_t handle) {
    if (hooks) hooks->Created(handle);
}
inline void Deleted(std::uint32_t handle) {
    if (hooks) hooks->Deleted(handle);
}
inline void Selected(plat::HDC dc, std::uint32_t selected, std::uint32_t previous) {
    if (hooks) hooks->Selected(dc, selected, previous);
}
inline bool IsSelected(std::uint32_t bitmap) {
    return hooks && hooks->IsSelected(bitmap);
}

}  // namespace win32::windowdc
