#include "graphics/csprite_bitmaps.h"

#include "common/checked.h"
#include "graphics/mgdi.h"
#include "platform/gdi.h"

namespace {
constexpr plat::COLORREF kWhite = 0xFFFFFF;
}

cSpriteBitmaps::~cSpriteBitmaps() {
    FreeBitmaps();
}

void cSpriteBitmaps::TransparentDraw(plat::HDC hDCDest, std::int32_t lX, std::int32_t lY,
                                     std::int32_t lCell, bool bUseBuildDC) {
    const Point src = GetCellOrigin(lCell);
    const std::int32_t cw = m_lCellWidth, ch = m_lCellHeight;
    plat::HDC target = hDCDest;
    std::int32_t tx = lX, ty = lY;
    if (bUseBuildDC) {
        plat::BitBlt(m_hBuildDC, 0, 0, cw, ch, hDCDest, lX, lY, plat::SRCCOPY);
        target = m_hBuildDC;
        tx = ty = 0;
    }
    // The drawn pixels turn white, then take the sprite's colours; where the
    // mask is black the sheet is white and the target keeps its pixels.
    plat::BitBlt(target, tx, ty, cw, ch, m_hMaskDC, src.x, src.y, plat::SRCPAINT);
    plat::BitBlt(target, tx, ty, cw, ch, m_hSpriteDC, src.x, src.y, plat::SRCAND);
    if (bUseBuildDC) plat::BitBlt(hDCDest, lX, lY, cw, ch, m_hBuildDC, 0, 0, plat::SRCCOPY);
}

bool cSpriteBitmaps::CreateFromPicture(const StdPicture& oPic, std::int32_t lXImageCount,
                                       std::int32_t lYImageCount, const StdPicture* oMaskPic,
                                       plat::COLORREF lTransColor) {
    FreeBitmaps();
    if (!mGDI::CopyDCBitmapFromPicture(false, oPic, m_hSpriteDC, m_hSpriteBmp, m_hSpriteBmpOld))
        return false;
    const bool mask =
        oMaskPic == nullptr
            ? CreateMask(SheetWidth(), SheetHeight(), lTransColor)
            : mGDI::CopyDCBitmapFromPicture(true, *oMaskPic, m_hMaskDC, m_hMaskBmp, m_hMaskBmpOld);
    return mask && FinishCreation(lXImageCount, lYImageCount);
}

bool cSpriteBitmaps::CreateFromFile(const std::string& sSpriteBitmap, std::int32_t lXImageCount,
                                    std::int32_t lYImageCount, const std::string& sMaskBitmap,
                                    plat::COLORREF lTransColor) {
    FreeBitmaps();
    if (!mGDI::LoadDCBitmap(false, sSpriteBitmap, m_hSpriteDC, m_hSpriteBmp, m_hSpriteBmpOld))
        return false;
    const bool mask = sMaskBitmap.empty() ? CreateMask(SheetWidth(), SheetHeight(), lTransColor)
                                          : mGDI::LoadDCBitmap(true, sMaskBitmap, m_hMaskDC,
                                                               m_hMaskBmp, m_hMaskBmpOld);
    return mask && FinishCreation(lXImageCount, lYImageCount);
}

void cSpriteBitmaps::DirectBltSprite(plat::HDC lHDC, std::int32_t lX, std::int32_t lY,
                                     std::int32_t lCell) {
    const Point src = GetCellOrigin(lCell);
    plat::BitBlt(lHDC, lX, lY, m_lCellWidth, m_lCellHeight, m_hSpriteDC, src.x, src.y,
                 plat::SRCCOPY);
}

bool cSpriteBitmaps::CreateMask(std::int32_t lWidth, std::int32_t lHeight,
                                plat::COLORREF lTransColor) {
    if (!mGDI::CreateDCBitmap(true, m_hMaskDC, m_hMaskBmp, m_hMaskBmpOld, lWidth, lHeight))
        return false;
    if (lTransColor == kWhite) {
        // Colour to monochrome gives 1 where the sheet is white (the sprite
        // DC's background colour): the inverted result is black there.
        plat::BitBlt(m_hMaskDC, 0, 0, lWidth, lHeight, m_hSpriteDC, 0, 0, plat::WHITENESS);
        plat::BitBlt(m_hMaskDC, 0, 0, lWidth, lHeight, m_hSpriteDC, 0, 0, plat::SRCINVERT);
        return true;
    }
    plat::HDC tempDC = 0;
    plat::HBITMAP tempBmp = 0, tempOld = 0;
    if (!mGDI::CreateDCBitmap(true, tempDC, tempBmp, tempOld, lWidth, lHeight)) {
        mGDI::DeleteDCBitmap(tempDC, tempBmp, tempOld);
        return false;
    }
    // 1 exactly where the sheet has the transparent colour.
    const plat::COLORREF oldBk = plat::SetBkColor(m_hSpriteDC, lTransColor);
    plat::BitBlt(tempDC, 0, 0, lWidth, lHeight, m_hSpriteDC, 0, 0, plat::SRCCOPY);
    plat::SetBkColor(m_hSpriteDC, oldBk);
    // Those 1 bits arrive as white: the transparent pixels of the sheet turn
    // white, the others keep their colour.
    plat::BitBlt(m_hSpriteDC, 0, 0, lWidth, lHeight, tempDC, 0, 0, plat::SRCPAINT);
    plat::BitBlt(m_hMaskDC, 0, 0, lWidth, lHeight, tempDC, 0, 0, plat::WHITENESS);
    plat::BitBlt(m_hMaskDC, 0, 0, lWidth, lHeight, tempDC, 0, 0, plat::SRCINVERT);
    mGDI::DeleteDCBitmap(tempDC, tempBmp, tempOld);
    return true;
}

cSpriteBitmaps::Point cSpriteBitmaps::GetCellOrigin(std::int32_t lCell) const {
    const std::int32_t index = CheckedSub(lCell, 1);
    return {CheckedMul(CheckedMod(index, m_lXImageCount), m_lCellWidth),
            CheckedMul(CheckedDiv(index, m_lXImageCount), m_lCellHeight)};
}

void cSpriteBitmaps::FreeBitmaps() {
    mGDI::DeleteDCBitmap(m_hSpriteDC, m_hSpriteBmp, m_hSpriteBmpOld);
    mGDI::DeleteDCBitmap(m_hMaskDC, m_hMaskBmp, m_hMaskBmpOld);
    mGDI::DeleteDCBitmap(m_hBuildDC, m_hBuildBmp, m_hBuildBmpOld);
}

// Cell size and counts, then the build surface; pixels beyond the last
// whole cell are never drawn.
bool cSpriteBitmaps::FinishCreation(std::int32_t lXImageCount, std::int32_t lYImageCount) {
    const std::int32_t w = SheetWidth(), h = SheetHeight();
    m_lXImageCount = lXImageCount;
    m_lYImageCount = lYImageCount;
    m_lCellWidth = CheckedDiv(w, lXImageCount);
    m_lCellHeight = CheckedDiv(h, lYImageCount);
    return mGDI::CreateDCBitmap(false, m_hBuildDC, m_hBuildBmp, m_hBuildBmpOld, m_lCellWidth,
                                m_lCellHeight);
}

std::int32_t cSpriteBitmaps::SheetWidth() const {
    plat::BITMAP bm{};
    plat::GetObjectA(m_hSpriteBmp, sizeof bm, &bm);
    return bm.bmWidth;
}

std::int32_t cSpriteBitmaps::SheetHeight() const {
    plat::BITMAP bm{};
    plat::GetObjectA(m_hSpriteBmp, sizeof bm, &bm);
    return bm.bmHeight;
}
