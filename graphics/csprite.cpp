#include "graphics/csprite.h"

#include "common/checked.h"
#include "common/vbmath.h"
#include "graphics/mgdi.h"
#include "platform/gdi.h"
#include "platform/host.h"

cSprite::cSprite() {
    plat::Host& h = plat::host();
    m_lPrevX = m_lDrawX = TwipsToPixels(-h.ScreenWidth(), h.TwipsPerPixelX());
    m_lPrevY = m_lDrawY = TwipsToPixels(-h.ScreenHeight(), h.TwipsPerPixelY());
}

cSprite::~cSprite() {
    FreeBackground();
}

void cSprite::IncrementPosition() {
    m_lX = CheckedAdd(m_lX, m_lXDir);
    m_lY = CheckedAdd(m_lY, m_lYDir);
}

void cSprite::StageToScreen(plat::HDC lHDC, plat::HDC lStageHDC) {
    const std::int32_t w = m_lWidth, h = m_lHeight;
    if (BltInTwo()) {
        plat::BitBlt(lHDC, PreviousX(), PreviousY(), w, h, lStageHDC, PreviousX(), PreviousY(),
                     plat::SRCCOPY);
        plat::BitBlt(lHDC, m_lDrawX, m_lDrawY, w, h, lStageHDC, m_lDrawX, m_lDrawY, plat::SRCCOPY);
        return;
    }
    const std::int32_t dx = CheckedSub(m_lDrawX, m_lPrevX);
    const std::int32_t dy = CheckedSub(m_lDrawY, m_lPrevY);
    const std::int32_t left = m_lDrawX < m_lPrevX ? m_lDrawX : m_lPrevX;
    const std::int32_t top = m_lDrawY < m_lPrevY ? m_lDrawY : m_lPrevY;
    plat::BitBlt(lHDC, left, top, CheckedAdd(w, CheckedAbs(dx)), CheckedAdd(h, CheckedAbs(dy)),
                 lStageHDC, left, top, plat::SRCCOPY);
}

bool cSprite::BltInTwo() const {
    const std::int32_t dy = CheckedAbs(CheckedSub(m_lPrevY, m_lDrawY));
    const std::int32_t dx = CheckedAbs(CheckedSub(m_lPrevX, m_lDrawX));
    return CheckedAdd(dy, dx) > 24;
}

void cSprite::StoreBackground(plat::HDC hDC, std::int32_t lX, std::int32_t lY) {
    plat::BitBlt(m_hDC, 0, 0, m_lWidth, m_lHeight, hDC, lX, lY, plat::SRCCOPY);
    m_bStored = true;
}

void cSprite::TransparentDraw(plat::HDC hDC, std::int32_t lX, std::int32_t lY, std::int32_t lCell,
                              bool bUseBuildDC) {
    m_lPrevX = m_lDrawX;
    m_lPrevY = m_lDrawY;
    m_lDrawX = lX;
    m_lCell = lCell;
    m_lDrawY = lY;
    m_bDrawn = true;
    Sheet().TransparentDraw(hDC, lX, lY, lCell, bUseBuildDC);
}

void cSprite::Create(plat::HDC) {
    FreeBackground();
    const cSpriteBitmaps& sheet = Sheet();
    m_lWidth = sheet.CellWidth();
    m_lHeight = sheet.CellHeight();
    mGDI::CreateDCBitmap(false, m_hDC, m_hBmp, m_hBmpOld, m_lWidth, m_lHeight);
}

void cSprite::RestoreBackground(plat::HDC hDC) {
    if (m_bStored)
        plat::BitBlt(hDC, m_lDrawX, m_lDrawY, m_lWidth, m_lHeight, m_hDC, 0, 0, plat::SRCCOPY);
}

void cSprite::SpriteData(std::shared_ptr<cSpriteBitmaps> cSpriteData) {
    if (!cSpriteData) throw ObjectNotSetError();
    m_cSpriteData = std::move(cSpriteData);
    m_lWidth = m_cSpriteData->CellWidth();
    m_lHeight = m_cSpriteData->CellHeight();
}

void cSprite::FreeBackground() {
    mGDI::DeleteDCBitmap(m_hDC, m_hBmp, m_hBmpOld);
    m_bStored = m_bDrawn = false;
}

cSpriteBitmaps& cSprite::Sheet() const {
    if (!m_cSpriteData) throw ObjectNotSetError();
    return *m_cSpriteData;
}
