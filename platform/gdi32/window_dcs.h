// The software GDI's hooks for tests, served by the real GDI: while a test
// installs a window provider (plat::SetWindowProvider), GetDC gives a
// memory DC over a copy of the provider's pixels; every BitBlt into it is
// written back and reported, as our software GDI does. Also counts the DCs
// and bitmaps the platform layer made (plat::LiveObjects). Without a
// provider, windows are real windows.
#pragma once
#include <cstdint>

#include "platform/handles.h"

namespace win32::windowdc {

bool ProviderActive();
// A DC for hwnd from the provider, or 0 when it has no such window.
plat::HDC Get(plat::HWND hwnd);
// True when dc came from Get (it is then freed).
bool Release(plat::HDC dc);
// Before and after a BitBlt between these DCs.
void BeforeBlit(plat::HDC dest, plat::HDC src);
void AfterBlit(plat::HDC dest, int x, int y, int width, int height, plat::HDC src, int sx, int sy,
               std::uint32_t rop);
void BeforeRead(plat::HDC dc, int x, int y);
void AfterWrite(plat::HDC dc, int x, int y);

bool IsWindowDc(plat::HDC dc);

// Bookkeeping of live DCs and bitmaps, and of which DC holds which bitmap
// (gdi32 under Wine deletes a selected bitmap; Windows refuses to).
void Created(std::uint32_t handle);
void Deleted(std::uint32_t handle);
void Selected(plat::HDC dc, std::uint32_t selected, std::uint32_t previous);
bool IsSelected(std::uint32_t bitmap);

}  // namespace win32::windowdc
