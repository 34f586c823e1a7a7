// Bitmaps from .bmp file bytes in memory, and bitmaps saved as .bmp files.
// The bytes are checked before GDI sees them: a malformed or hostile file
// gives 0.
#include <cstring>
#include <vector>

#include "platform/files.h"
#include "platform/gdi.h"
#include "platform/system/win32/ansi_text.h"
#include "platform/gdi32/bmp_decode.h"
#include "platform/gdi32/window_dcs.h"
#include "platform/system/win32/windows_api.h"

namespace {

constexpr std::size_t kFileHeader = 14;
constexpr std::int32_t kMaxSide = 32767;

std::uint32_t Read32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Read16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

bool ValidFormat(std::uint16_t bits, std::uint32_t compression) {
    switch (compression) {
        case BI_RGB:
            return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
        case BI_RLE8:
            return bits == 8;
        case BI_RLE4:
            return bits == 4;
        case BI_BITFIELDS:
            return bits == 16 || bits == 32;
        default:
            return false;
    }
}

}  // namespace

namespace win32 {

::HBITMAP BitmapFromBmpBytes(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size < kFileHeader + sizeof(BITMAPINFOHEADER)) return 0;
    if (data[0] != 'B' || data[1] != 'M') return 0;
    const std::uint32_t offBits = Read32(data + 10);
    const std::uint32_t infoSize = Read32(data + kFileHeader);
    if (infoSize < sizeof(BITMAPINFOHEADER) || infoSize > 124) return 0;
    if (offBits > size || offBits < kFileHeader + infoSize) return 0;

    const std::uint8_t* info = data + kFileHeader;
    const auto width = static_cast<std::int32_t>(Read32(info + 4));
    const auto height = static_cast<std::int32_t>(Read32(info + 8));
    const std::uint16_t bits = Read16(info + 14);
    const std::uint32_t compression = Read32(info + 16);
    const std::uint32_t sizeImage = Read32(info + 20);
    const std::uint32_t colorsUsed = Read32(info + 32);
    if (width <= 0 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide)
        return 0;
    if (!ValidFormat(bits, compression)) return 0;
    const bool rle = compression == BI_RLE8 || compression == BI_RLE4;
    if (rle && height < 0) return 0;

    // Header, masks and colour table must lie before the pixels.
    std::size_t table = 0;
    if (compression == BI_BITFIELDS && infoSize == sizeof(BITMAPINFOHEADER)) table = 12;
    if (bits <= 8) {
        const std::uint32_t maxColors = 1u << bits;
        table += 4u * (colorsUsed == 0 || colorsUsed > maxColors ? maxColors : colorsUsed);
    } else if (colorsUsed > 256) {
        return 0;
    } else {
        table += 4u * colorsUsed;
    }
    if (kFileHeader + infoSize + table > offBits) return 0;

    const std::uint64_t rows = static_cast<std::uint64_t>(height < 0 ? -height : height);
    const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bits + 31) / 32) * 4;
    const std::uint64_t needed = rle ? sizeImage : stride * rows;
    if (needed == 0 || needed > size - offBits) return 0;

    // An aligned copy of the header and table; the masks and table may be
    // read past a short header, so give room for a full colour table.
    std::vector<std::uint32_t> header((infoSize + table + 3) / 4 + 256 + 3, 0);
    std::memcpy(header.data(), info, infoSize + table);
    auto* bmi = reinterpret_cast<BITMAPINFO*>(header.data());
    if (colorsUsed > (bits <= 8 ? (1u << bits) : 256u)) bmi->bmiHeader.biClrUsed = 0;

    // A 1-bit picture in black and white is monochrome, as Windows loads it;
    // everything else takes the screen's format.
    const bool mono =
        bits == 1 &&
        (bmi->bmiColors[0].rgbRed | bmi->bmiColors[0].rgbGreen | bmi->bmiColors[0].rgbBlue) == 0 &&
        (bmi->bmiColors[1].rgbRed & bmi->bmiColors[1].rgbGreen & bmi->bmiColors[1].rgbBlue) == 0xFF;
    ::HDC screen = ::GetDC(nullptr);
    ::HBITMAP bmp = mono ? ::CreateBitmap(width, static_cast<int>(rows), 1, 1, nullptr)
                         : ::CreateCompatibleBitmap(screen, width, static_cast<int>(rows));
    if (bmp != nullptr && ::SetDIBits(screen, bmp, 0, static_cast<UINT>(rows), data + offBits, bmi,
                                      DIB_RGB_COLORS) == 0) {
        ::DeleteObject(bmp);
        bmp = nullptr;
    }
    ::ReleaseDC(nullptr, screen);
    return bmp;
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
