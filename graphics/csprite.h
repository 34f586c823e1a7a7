// cSprite: one moving sprite drawn from a shared sheet. It keeps a logical
// position and a step, where it was drawn last and the time before, a store
// of the pixels under it, and copies its changed area from a stage to the
// screen. Positions and sizes in pixels; overflow raises OverflowError.
#pragma once
#include <cstdint>
#include <memory>

#include "graphics/csprite_bitmaps.h"
#include "platform/handles.h"

class cSprite {
  public:
    // Counts as last drawn one screen width left of and one screen height
    // above the screen (reads the host's screen size).
    cSprite();
    ~cSprite();
    cSprite(const cSprite&) = delete;
    cSprite& operator=(const cSprite&) = delete;

    std::int32_t XDir() const { return m_lXDir; }
    void XDir(std::int32_t lXDir) { m_lXDir = lXDir; }
    std::int32_t YDir() const { return m_lYDir; }
    void YDir(std::int32_t lYDir) { m_lYDir = lYDir; }
    // X += XDir, then Y += YDir; the drawing positions stay.
    void IncrementPosition();
    bool Active() const { return m_bActive; }
    void Active(bool bActive) { m_bActive = bActive; }
    std::int32_t X() const { return m_lX; }
    void X(std::int32_t lX) { m_lX = lX; }
    std::int32_t Y() const { return m_lY; }
    void Y(std::int32_t lY) { m_lY = lY; }
    // Copies what the last drawing changed from lStageHDC to lHDC: one
    // rectangle over both places, or the two places apart after a long move.
    void StageToScreen(plat::HDC lHDC, plat::HDC lStageHDC);
    std::int32_t Cell() const { return m_lCell; }
    void Cell(std::int16_t iCell) { m_lCell = iCell; }
    // Where the last drawing put it, and whether it was drawn since its
    // store was made.
    std::int32_t DrawnX() const { return m_lDrawX; }
    std::int32_t DrawnY() const { return m_lDrawY; }
    bool Drawn() const { return m_bDrawn; }
    std::int32_t PreviousX() const { return m_lPrevX; }
    std::int32_t PreviousY() const { return m_lPrevY; }
    // The last move covered more than 24 pixels along x and y together.
    bool BltInTwo() const;
    std::int32_t Width() const { return m_lWidth; }
    std::int32_t Height() const { return m_lHeight; }
    void StoreBackground(plat::HDC hDC, std::int32_t lX, std::int32_t lY);
    void TransparentDraw(plat::HDC hDC, std::int32_t lX, std::int32_t lY, std::int32_t lCell,
                         bool bUseBuildDC);
    // Makes the background store (screen format; hDC is not used).
    void Create(plat::HDC hDC);
    // Puts the stored pixels back where the sprite was drawn last.
    void RestoreBackground(plat::HDC hDC);
    // Shares the sheet; ObjectNotSetError for none.
    void SpriteData(std::shared_ptr<cSpriteBitmaps> cSpriteData);

  private:
    void FreeBackground();
    cSpriteBitmaps& Sheet() const;

    plat::HDC m_hDC = 0;
    plat::HBITMAP m_hBmp = 0;
    plat::HBITMAP m_hBmpOld = 0;
    std::shared_ptr<cSpriteBitmaps> m_cSpriteData;
    std::int32_t m_lCell = 0;
    std::int32_t m_lX = 0;
    std::int32_t m_lY = 0;
    std::int32_t m_lDrawX = 0;
    std::int32_t m_lDrawY = 0;
    std::int32_t m_lPrevX = 0;
    std::int32_t m_lPrevY = 0;
    std::int32_t m_lWidth = 0;
    std::int32_t m_lHeight = 0;
    bool m_bStored = false;
    bool m_bDrawn = false;
    bool m_bActive = false;
    std::int32_t m_lXDir = 0;
    std::int32_t m_lYDir = 0;
};
