// Bitmaps from .bmp file bytes in memory, and bitmaps saved as .bmp files.
// The bytes are checked before GDI sees them (bmp_header.h): a malformed or
// hostile file gives 0.
#include <cstring>
#include <optional>
#include <vector>

#include "platform/bmp_header.h"
#include "platform/files.h"
#include "platform/gdi.h"
#include "platform/gdi32/bmp_decode.h"
#include "platform/gdi32/window_dcs.h"
#include "platform/system/win32/ansi_text.h"

// Last: its macros would rename the declarations above.
#include "platform/system/win32/windows_api.h"

namespace {

// A 1-bit picture in black and white is monochrome, as Windows loads it.
bool BlackAndWhite(const BITMAPINFO* bmi, std::uint16_t bits) {
    const RGBQUAD& k = bmi->bmiColors[0];
    const RGBQUAD& w = bmi->bmiColors[1];
    return bits == 1 && (k.rgbRed | k.rgbGreen | k.rgbBlue) == 0 &&
           (w.rgbRed & w.rgbGreen & w.rgbBlue) == 0xFF;
}

::HBITMAP Create(const plat::BmpHeader& h, const BITMAPINFO* bmi, const std::uint8_t* pixels) {
    ::HDC screen = ::GetDC(nullptr);
    ::HBITMAP bmp = BlackAndWhite(bmi, h.bitCount)
                        ? ::CreateBitmap(h.width, h.height, 1, 1, nullptr)
                        : ::CreateCompatibleBitmap(screen, h.width, h.height);
    if (bmp != nullptr && ::SetDIBits(screen, bmp, 0, static_cast<UINT>(h.height), pixels, bmi,
                                      DIB_RGB_COLORS) == 0) {
        ::DeleteObject(bmp);
        bmp = nullptr;
    }
    ::ReleaseDC(nullptr, screen);
    return bmp;
}

}  // namespace

namespace win32 {

::HBITMAP BitmapFromBmpBytes(const std::uint8_t* data, std::size_t size) {
    const std::optional<plat::BmpHeader> h = plat::ReadBmpHeader(data, size, size);
    if (!h) return nullptr;
    // An aligned copy of the header and table; the masks and table may be
    // read past a short header, so give room for a full colour table.
    const std::size_t bytes = h->infoSize + h->tableBytes;
    std::vector<std::uint32_t> header((bytes + 3) / 4 + 256 + 3, 0);
    std::memcpy(header.data(), data + plat::kBmpFileHeader, bytes);
    return Create(*h, reinterpret_cast<const BITMAPINFO*>(header.data()), data + h->pixelOffset);
}

}  // namespace win32

namespace plat {

HBITMAP LoadBitmapFromMemory(const std::uint8_t* data, std::size_t size) {
    const HBITMAP bmp = win32::FromHandle(win32::BitmapFromBmpBytes(data, size));
    win32::windowdc::Created(bmp);
    return bmp;
}

// Writes a 24-bit bottom-up file with ReplaceFileContent, so a failed write never
// leaves a half file under the real name.
bool SaveBitmapFile(HBITMAP bitmap, const std::string& path) {
    const auto h = win32::ToHandle<::HBITMAP>(bitmap);
    ::BITMAP bm{};
    if (h == nullptr || ::GetObjectA(h, sizeof bm, &bm) == 0) return false;
    if (bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;

    BITMAPINFOHEADER bih{};
    bih.biSize = sizeof bih;
    bih.biWidth = bm.bmWidth;
    bih.biHeight = bm.bmHeight;
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    bih.biCompression = BI_RGB;
    const std::size_t stride = ((static_cast<std::size_t>(bm.bmWidth) * 24 + 31) / 32) * 4;
    const std::size_t imageSize = stride * static_cast<std::size_t>(bm.bmHeight);
    bih.biSizeImage = static_cast<DWORD>(imageSize);
    std::vector<std::uint8_t> pixels(imageSize);
    // Room for a colour table GetDIBits may write after the header.
    std::vector<std::uint32_t> info(sizeof bih / 4 + 256, 0);
    std::memcpy(info.data(), &bih, sizeof bih);
    ::HDC screen = ::GetDC(nullptr);
    const int lines = ::GetDIBits(screen, h, 0, static_cast<UINT>(bm.bmHeight), pixels.data(),
                                  reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (lines != bm.bmHeight) return false;

    BITMAPFILEHEADER bfh{};
    bfh.bfType = 0x4D42;
    bfh.bfOffBits = sizeof bfh + sizeof bih;
    bfh.bfSize = static_cast<DWORD>(bfh.bfOffBits + imageSize);

    std::string file(bfh.bfSize, '\0');
    std::memcpy(file.data(), &bfh, sizeof bfh);
    std::memcpy(file.data() + sizeof bfh, &bih, sizeof bih);
    std::memcpy(file.data() + bfh.bfOffBits, pixels.data(), imageSize);
    return plat::ReplaceFileContent(path, file);
}

}  // namespace plat
