#include "graphics/cbitmap.h"

#include "graphics/mgdi.h"

cBitmap::~cBitmap() {
    FreeBitmap();
}

bool cBitmap::CreateAtSize(std::int32_t lDX, std::int32_t lDY) {
    FreeBitmap();
    const bool ok = mGDI::CreateDCBitmap(false, m_hDC, m_hBmp, m_hBmpOld, lDX, lDY);
    if (ok) {
        m_lWidth = lDX;
        m_lHeight = lDY;
    }
    return ok;
}

bool cBitmap::CreateFromFile(const std::string& sBitmapBitmap) {
    FreeBitmap();
    if (!mGDI::LoadDCBitmap(false, sBitmapBitmap, m_hDC, m_hBmp, m_hBmpOld)) return false;
    ReadSize();
    return true;
}

bool cBitmap::CreateFromPicture(const StdPicture& picThis) {
    FreeBitmap();
    if (!mGDI::CopyDCBitmapFromPicture(false, picThis, m_hDC, m_hBmp, m_hBmpOld)) return false;
    ReadSize();
    return true;
}

void cBitmap::RenderBitmap(plat::HDC lHDC, std::int32_t lX, std::int32_t lY, std::uint32_t OpCode) {
    plat::BitBlt(lHDC, lX, lY, m_lWidth, m_lHeight, m_hDC, 0, 0, OpCode);
}

void cBitmap::FreeBitmap() {
    mGDI::DeleteDCBitmap(m_hDC, m_hBmp, m_hBmpOld);
}

void cBitmap::ReadSize() {
    plat::BITMAP bm{};
    plat::GetObjectA(m_hBmp, sizeof bm, &bm);
    m_lWidth = bm.bmWidth;
    m_lHeight = bm.bmHeight;
}
