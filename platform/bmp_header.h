// The one check of a .bmp file's headers, shared by both GDI backends and
// the tests: the file and information headers parsed from bytes and held
// to one set of limits, so that a hostile header never makes anyone
// allocate an absurd bitmap or read past a short file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace plat {

inline constexpr std::size_t kBmpFileHeader = 14;
inline constexpr std::size_t kBmpInfoHeader = 40;      // BITMAPINFOHEADER
inline constexpr std::size_t kBmpMaxInfoHeader = 124;  // BITMAPV5HEADER
// The bytes ReadBmpHeader may look at: both headers at their largest.
inline constexpr std::size_t kBmpHeadBytes = kBmpFileHeader + kBmpMaxInfoHeader;
inline constexpr std::int32_t kBmpMaxSide = 16384;
inline constexpr std::int64_t kBmpMaxPixels = std::int64_t{1} << 26;  // 8192 x 8192
// The most pixels a run-length-coded canvas may have for each byte of its
// data (a 2-byte run covers at most 255 pixels).
inline constexpr std::uint64_t kBmpRlePixelsPerByte = 128;

inline constexpr std::uint32_t kBmpRgb = 0, kBmpRle8 = 1, kBmpRle4 = 2, kBmpBitfields = 3;

struct BmpHeader {
    std::int32_t width = 0;   // 1..kBmpMaxSide
    std::int32_t height = 0;  // rows, 1..kBmpMaxSide
    bool topDown = false;     // rows stored top row first (never for RLE)
    std::uint16_t bitCount = 0;
    std::uint32_t compression = kBmpRgb;
    std::uint32_t infoSize = 0;    // the information header's own size
    std::uint32_t colours = 0;     // colour table entries (1 << bitCount at most)
    std::uint32_t tableBytes = 0;  // masks and colour table after the information header
    std::uint32_t pixelOffset = 0;
    std::uint64_t stride = 0;      // bytes per uncompressed row, padded to 4
    std::uint64_t pixelBytes = 0;  // what the pixels take in the file
};

// Parses and checks the headers. `head` holds the file's first headSize
// bytes (the whole file, or at least its first kBmpHeadBytes), fileSize is
// the size of the whole file. Gives nothing unless the magic, header size,
// planes, size limits, depth and compression are sane, the colour table
// ends before the pixels and every pixel byte lies inside the file.
std::optional<BmpHeader> ReadBmpHeader(const std::uint8_t* head, std::size_t headSize,
                                       std::uint64_t fileSize);

// The checked headers of a .bmp file on disk, read without its pixels:
// nothing for a file that is missing, unreadable or malformed.
std::optional<BmpHeader> ReadBmpFileHeader(const std::string& path);

}  // namespace plat
