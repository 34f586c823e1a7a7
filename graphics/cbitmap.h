// cBitmap: an off-screen picture, one drawing surface with its size.
#pragma once
#include <cstdint>
#include <string>

#include "graphics/std_picture.h"
#include "platform/gdi.h"

class cBitmap {
  public:
    cBitmap() = default;
    ~cBitmap();
    cBitmap(const cBitmap&) = delete;
    cBitmap& operator=(const cBitmap&) = delete;

    // Each creation frees the current surface first; the size changes only
    // on success. Contents of a new surface are undefined.
    bool CreateAtSize(std::int32_t lDX, std::int32_t lDY);
    bool CreateFromFile(const std::string& sBitmapBitmap);
    // false stands for the empty result. picThis stays the caller's.
    bool CreateFromPicture(const StdPicture& picThis);

    std::int32_t Width() const { return m_lWidth; }
    std::int32_t Height() const { return m_lHeight; }
    plat::HDC hDC() const { return m_hDC; }

    // The whole surface onto lHDC at (lX, lY).
    void RenderBitmap(plat::HDC lHDC, std::int32_t lX, std::int32_t lY,
                      std::uint32_t OpCode = plat::SRCCOPY);

  private:
    void FreeBitmap();
    void ReadSize();

    plat::HDC m_hDC = 0;
    plat::HBITMAP m_hBmp = 0;
    plat::HBITMAP m_hBmpOld = 0;
    std::int32_t m_lWidth = 0;
    std::int32_t m_lHeight = 0;
};
