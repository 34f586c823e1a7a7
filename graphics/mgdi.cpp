// mGDI
#include "graphics/mgdi.h"

#include "platform/gdi.h"

namespace mGDI {
namespace {

// The reference DC of a surface: the desktop's DC for colour surfaces, 0
// (the screen in general) for masks. Gives the desktop DC back when done.
class Reference {
  public:
    explicit Reference(bool bMask) {
        if (!bMask) {
            window_ = plat::GetDesktopWindow();
            hdc_ = plat::GetDC(window_);
            fetched_ = true;
        }
    }
    ~Reference() {
        if (fetched_) plat::ReleaseDC(window_, hdc_);
    }
    Reference(const Reference&) = delete;
    Reference& operator=(const Reference&) = delete;
    plat::HDC dc() const { return hdc_; }

  private:
    plat::HWND window_ = 0;
    plat::HDC hdc_ = 0;
    bool fetched_ = false;
};

}  // namespace

bool CreateDCBitmap(bool bMask, plat::HDC& hDC, plat::HBITMAP& hBmp, plat::HBITMAP& hBmpOld,
                    std::int32_t lWidth, std::int32_t lHeight) {
    hDC = hBmp = hBmpOld = 0;
    const Reference ref(bMask);
    hDC = plat::CreateCompatibleDC(ref.dc());
    if (hDC == 0) return false;
    // A fresh memory DC holds a 1-by-1 monochrome bitmap: a mask made
    // compatible with it is monochrome.
    const plat::HDC bitmapRef = bMask ? hDC : ref.dc();
    hBmp = plat::CreateCompatibleBitmap(bitmapRef, lWidth, lHeight);
    if (hBmp == 0) return false;
    hBmpOld = plat::SelectObject(hDC, hBmp);
    return true;
}

bool LoadDCBitmap(bool bMask, const std::string& sFilename, plat::HDC& hDC, plat::HBITMAP& hBmp,
                  plat::HBITMAP& hBmpOld) {
    hDC = hBmp = hBmpOld = 0;
    hBmp = plat::LoadImageA(0, sFilename, plat::IMAGE_BITMAP, 0, 0, plat::LR_LOADFROMFILE);
    if (hBmp == 0) return false;
    const Reference ref(bMask);
    hDC = plat::CreateCompatibleDC(ref.dc());
    if (hDC == 0) {
        plat::DeleteObject(hBmp);  // no DC to hold it: nobody else could free it
        hBmp = 0;
        return false;
    }
    hBmpOld = plat::SelectObject(hDC, hBmp);
    return true;
}

bool CopyDCBitmapFromPicture(bool bMask, const StdPicture& oPic, plat::HDC& hDC,
                             plat::HBITMAP& hBmp, plat::HBITMAP& hBmpOld) {
    hDC = hBmp = hBmpOld = 0;
    const Reference desktop(bMask);
    const plat::HDC source = plat::CreateCompatibleDC(desktop.dc());
    if (source == 0) return false;
    const plat::HDC ref = bMask ? source : desktop.dc();
    bool done = false;
    const plat::HGDIOBJ kept = plat::SelectObject(source, oPic.Handle);
    hDC = plat::CreateCompatibleDC(ref);
    if (hDC != 0) {
        // A picture without a bitmap gives no surface (rather than the 1-by-1
        // bitmap a zero size would make).
        plat::BITMAP bm{};
        if (plat::GetObjectA(oPic.Handle, sizeof bm, &bm) != 0)
            hBmp = plat::CreateCompatibleBitmap(ref, bm.bmWidth, bm.bmHeight);
        if (hBmp != 0) {
            hBmpOld = plat::SelectObject(hDC, hBmp);
            plat::BitBlt(hDC, 0, 0, bm.bmWidth, bm.bmHeight, source, 0, 0, plat::SRCCOPY);
            done = true;
        }
    }
    plat::SelectObject(source, kept);
    plat::DeleteDC(source);
    return done;
}

void DeleteDCBitmap(plat::HDC& hDC, plat::HBITMAP& hBmp, plat::HBITMAP hBmpOld) {
    if (hDC == 0) return;
    if (hBmp != 0) {
        plat::SelectObject(hDC, hBmpOld);
        plat::DeleteObject(hBmp);
        hBmp = 0;
    }
    plat::DeleteDC(hDC);
    hDC = 0;
}

}  // namespace mGDI
