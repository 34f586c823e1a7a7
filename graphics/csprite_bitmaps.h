// cSpriteBitmaps: a sprite sheet cut into equal cells, its mask (white where
// the sprite is drawn, black where the destination shows through; the sheet
// is white wherever the mask is black) and a one-cell build surface.
// Cells are numbered from 1, along a row, then row by row.
#pragma once
#include <cstdint>
#include <string>

#include "graphics/std_picture.h"
#include "platform/handles.h"

class cSpriteBitmaps {
  public:
    struct Point {
        std::int32_t x;
        std::int32_t y;
    };

    cSpriteBitmaps() = default;
    ~cSpriteBitmaps();
    cSpriteBitmaps(const cSpriteBitmaps&) = delete;
    cSpriteBitmaps& operator=(const cSpriteBitmaps&) = delete;

    // Draws cell lCell at (lX, lY) with the mask; with bUseBuildDC the cell is
    // composed off screen and reaches hDCDest in one copy.
    void TransparentDraw(plat::HDC hDCDest, std::int32_t lX, std::int32_t lY, std::int32_t lCell,
                         bool bUseBuildDC = true);
    // Without a mask picture or file the mask is computed from lTransColor
    // (0x00BBGGRR). A cell count of 0 raises DivisionByZeroError.
    bool CreateFromPicture(const StdPicture& oPic, std::int32_t lXImageCount,
                           std::int32_t lYImageCount, const StdPicture* oMaskPic = nullptr,
                           plat::COLORREF lTransColor = 0xFFFFFF);
    bool CreateFromFile(const std::string& sSpriteBitmap, std::int32_t lXImageCount,
                        std::int32_t lYImageCount, const std::string& sMaskBitmap = "",
                        plat::COLORREF lTransColor = 0xFFFFFF);
    std::int32_t CellWidth() const { return m_lCellWidth; }
    std::int32_t CellHeight() const { return m_lCellHeight; }
    // Copies cell lCell unchanged, without the mask.
    void DirectBltSprite(plat::HDC lHDC, std::int32_t lX, std::int32_t lY, std::int32_t lCell);

  private:
    bool CreateMask(std::int32_t lWidth, std::int32_t lHeight, plat::COLORREF lTransColor);
    // Checked arithmetic; no check against the number of cells.
    Point GetCellOrigin(std::int32_t lCell) const;
    void FreeBitmaps();
    bool FinishCreation(std::int32_t lXImageCount, std::int32_t lYImageCount);
    std::int32_t SheetWidth() const;
    std::int32_t SheetHeight() const;

    plat::HDC m_hSpriteDC = 0;
    plat::HBITMAP m_hSpriteBmp = 0;
    plat::HBITMAP m_hSpriteBmpOld = 0;
    plat::HDC m_hMaskDC = 0;
    plat::HBITMAP m_hMaskBmp = 0;
    plat::HBITMAP m_hMaskBmpOld = 0;
    plat::HDC m_hBuildDC = 0;
    plat::HBITMAP m_hBuildBmp = 0;
    plat::HBITMAP m_hBuildBmpOld = 0;
    std::int32_t m_lCellWidth = 0;
    std::int32_t m_lCellHeight = 0;
    std::int32_t m_lXImageCount = 0;
    std::int32_t m_lYImageCount = 0;
};
