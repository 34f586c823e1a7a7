// cTile: fills a device context with a background picture, repeated from the
// top-left corner, or copied once at (0, 0) when the background is a picture
// of the desktop (Module1::BackgroundMode "1", read at every fill).
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "graphics/cbitmap.h"
#include "graphics/render_object.h"
#include "graphics/std_picture.h"

class cTile {
  public:
    cTile();
    ~cTile();
    cTile(const cTile&) = delete;
    cTile& operator=(const cTile&) = delete;

    // Fills the render object at its own size; ObjectNotSetError without one.
    void TileObject();
    // Fills lHDC, lWidth by lHeight pixels. ObjectNotSetError after Clear
    // dropped the picture; a picture of size 0 copies nothing.
    void TileDC(plat::HDC lHDC, std::int32_t lWidth, std::int32_t lHeight);
    // Loads the picture from a .bmp file, once per name (case-sensitive);
    // an empty name clears the tile; needs a render object.
    void Filename(const std::string& sFilename);
    // Takes the picture from oPic (which stays the caller's); drops the
    // render object and the file name.
    void Picture(const StdPicture& oPic);
    // The picture's size; 0 by 0 without one.
    std::int32_t Width() const { return m_cBitmap ? m_cBitmap->Width() : 0; }
    std::int32_t Height() const { return m_cBitmap ? m_cBitmap->Height() : 0; }
    // Keeps the render object (not owned).
    void Initialise(RenderObject* objRender);

  private:
    bool IsInitialised();
    void ReportError(std::int32_t lNumber, const std::string& sMessage);
    void Clear();
    cBitmap& Bitmap();

    std::string m_sFilename;
    std::unique_ptr<cBitmap> m_cBitmap;
    RenderObject* m_objRender = nullptr;
};
