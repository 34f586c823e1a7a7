// Drawing surfaces: a memory DC with one bitmap selected into it, kept by its
// owner as three handles (DC, bitmap, the bitmap the fresh DC held). These
// routines are the only ones that make and free them. Each creation routine
// first sets the three handles to 0 and returns true only for a complete
// surface; on failure whatever was made stays in the handles for the owner
// to free. bMask true builds a monochrome surface (the reference is the
// screen in general, not the desktop window's DC).
#pragma once
#include <cstdint>
#include <string>

#include "graphics/std_picture.h"
#include "platform/handles.h"

namespace mGDI {

bool CreateDCBitmap(bool bMask, plat::HDC& hDC, plat::HBITMAP& hBmp, plat::HBITMAP& hBmpOld,
                    std::int32_t lWidth, std::int32_t lHeight);
// Loads a .bmp file at its own size. A bitmap that loads but gets no DC is
// freed again, so a failed load never leaves anything behind.
bool LoadDCBitmap(bool bMask, const std::string& sFilename, plat::HDC& hDC, plat::HBITMAP& hBmp,
                  plat::HBITMAP& hBmpOld);
// Copies the picture's bitmap; the picture stays as it was, free to be
// copied again. With bMask the copy keeps the picture's own format.
bool CopyDCBitmapFromPicture(bool bMask, const StdPicture& oPic, plat::HDC& hDC,
                             plat::HBITMAP& hBmp, plat::HBITMAP& hBmpOld);
// Frees a surface: nothing when hDC is 0; hDC and hBmp become 0.
void DeleteDCBitmap(plat::HDC& hDC, plat::HBITMAP& hBmp, plat::HBITMAP hBmpOld);

}  // namespace mGDI
