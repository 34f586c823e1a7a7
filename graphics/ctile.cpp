#include "graphics/ctile.h"

#include "common/checked.h"
#include "common/vbmath.h"
#include "platform/gdi.h"
#include "platform/host.h"
#include "shell/background_mode.h"

cTile::cTile() : m_cBitmap(std::make_unique<cBitmap>()) {}

cTile::~cTile() {
    Clear();
}

void cTile::TileObject() {
    if (!m_objRender) throw ObjectNotSetError();
    plat::Host& h = plat::host();
    const std::int32_t width = TwipsToPixels(m_objRender->ScaleWidth(), h.TwipsPerPixelX());
    const std::int32_t height = TwipsToPixels(m_objRender->ScaleHeight(), h.TwipsPerPixelY());
    TileDC(m_objRender->hDC(), width, height);
}

void cTile::TileDC(plat::HDC lHDC, std::int32_t lWidth, std::int32_t lHeight) {
    cBitmap& picture = Bitmap();
    const std::int32_t bw = picture.Width(), bh = picture.Height();
    if (Module1::BackgroundMode == "1") {
        picture.RenderBitmap(lHDC, 0, 0, plat::SRCCOPY);
        return;
    }
    // The bounds are inclusive: a copy also starts at lWidth or lHeight (and
    // is clipped). An empty picture would never advance: nothing to copy.
    if (bw <= 0 || bh <= 0) return;
    for (std::int32_t y = 0; y <= lHeight; y = CheckedAdd(y, bh))
        for (std::int32_t x = 0; x <= lWidth; x = CheckedAdd(x, bw))
            picture.RenderBitmap(lHDC, x, y, plat::SRCCOPY);
}

void cTile::Filename(const std::string& sFilename) {
    if (sFilename == m_sFilename) return;
    if (sFilename.empty()) {
        Clear();
    } else if (IsInitialised()) {
        if (Bitmap().CreateFromFile(sFilename)) m_sFilename = sFilename;
    }
}

void cTile::Picture(const StdPicture& oPic) {
    Clear();
    m_cBitmap = std::make_unique<cBitmap>();
    m_cBitmap->CreateFromPicture(oPic);
}

void cTile::Initialise(RenderObject* objRender) {
    m_objRender = objRender;
}

bool cTile::IsInitialised() {
    if (m_objRender == nullptr) {
        ReportError(1, "Object not initialised");
        return false;
    }
    return true;
}

// The tile's error-report hook: nothing a user or caller can see.
void cTile::ReportError(std::int32_t, const std::string&) {}

void cTile::Clear() {
    m_cBitmap.reset();
    m_objRender = nullptr;
    m_sFilename.clear();
}

cBitmap& cTile::Bitmap() {
    if (!m_cBitmap) throw ObjectNotSetError();
    return *m_cBitmap;
}
