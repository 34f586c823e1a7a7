#include "platform/bmp_header.h"

#include <fstream>

namespace plat {
namespace {

std::uint32_t Le32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24);
}
std::uint16_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

bool ValidFormat(std::uint16_t bits, std::uint32_t compression) {
    switch (compression) {
        case kBmpRgb:
            return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
        case kBmpRle8:
            return bits == 8;
        case kBmpRle4:
            return bits == 4;
        case kBmpBitfields:
            return bits == 16 || bits == 32;
        default:
            return false;
    }
}

bool IsRle(std::uint32_t compression) {
    return compression == kBmpRle8 || compression == kBmpRle4;
}

// Width, height and depth from the information header; rows as a count.
bool ReadSize(const std::uint8_t* info, BmpHeader& h) {
    const auto width = static_cast<std::int32_t>(Le32(info + 4));
    const std::int64_t height = static_cast<std::int32_t>(Le32(info + 8));
    const std::int64_t rows = height < 0 ? -height : height;
    if (Le16(info + 12) != 1) return false;  // planes
    if (width <= 0 || width > kBmpMaxSide || rows == 0 || rows > kBmpMaxSide) return false;
    if (width * rows > kBmpMaxPixels) return false;
    h.width = width;
    h.height = static_cast<std::int32_t>(rows);
    h.topDown = height < 0;
    h.bitCount = Le16(info + 14);
    h.compression = Le32(info + 16);
    return ValidFormat(h.bitCount, h.compression) && !(h.topDown && IsRle(h.compression));
}

// The masks and colour table between the information header and the pixels.
bool ReadTable(const std::uint8_t* info, BmpHeader& h) {
    const std::uint32_t used = Le32(info + 32);
    const std::uint32_t most = h.bitCount <= 8 ? 1u << h.bitCount : 256u;
    if (used > most) return false;
    h.colours = h.bitCount <= 8 && used == 0 ? most : used;
    const bool masks = h.compression == kBmpBitfields && h.infoSize == kBmpInfoHeader;
    h.tableBytes = (masks ? 12 : 0) + 4 * h.colours;
    return true;
}

// Every pixel byte inside the file, after the headers and table.
bool PixelsFit(const std::uint8_t* info, std::uint64_t fileSize, BmpHeader& h) {
    if (h.pixelOffset < kBmpFileHeader + h.infoSize + h.tableBytes) return false;
    if (h.pixelOffset > fileSize) return false;
    h.stride = (std::uint64_t(h.width) * h.bitCount + 31) / 32 * 4;
    h.pixelBytes = IsRle(h.compression) ? Le32(info + 20) : h.stride * std::uint64_t(h.height);
    if (h.pixelBytes == 0 || h.pixelBytes > fileSize - h.pixelOffset) return false;
    // Two bytes of a run-length stream give at most 255 pixels: a canvas far
    // larger than its data could fill is refused, so a file of a few hundred
    // bytes cannot make a bitmap of hundreds of megabytes.
    return !IsRle(h.compression) ||
           std::uint64_t(h.width) * std::uint64_t(h.height) <= kBmpRlePixelsPerByte * h.pixelBytes;
}

}  // namespace

std::optional<BmpHeader> ReadBmpHeader(const std::uint8_t* head, std::size_t headSize,
                                       std::uint64_t fileSize) {
    const std::size_t need = kBmpFileHeader + kBmpInfoHeader;
    if (head == nullptr || headSize < need || fileSize < headSize) return std::nullopt;
    if (head[0] != 'B' || head[1] != 'M') return std::nullopt;
    BmpHeader h;
    h.pixelOffset = Le32(head + 10);
    h.infoSize = Le32(head + kBmpFileHeader);
    if (h.infoSize < kBmpInfoHeader || h.infoSize > kBmpMaxInfoHeader) return std::nullopt;
    const std::uint8_t* info = head + kBmpFileHeader;
    if (!ReadSize(info, h) || !ReadTable(info, h) || !PixelsFit(info, fileSize, h))
        return std::nullopt;
    return h;
}

std::optional<BmpHeader> ReadBmpFileHeader(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return std::nullopt;
    const std::streamoff size = in.tellg();
    if (size <= 0) return std::nullopt;
    in.seekg(0);
    std::uint8_t head[kBmpHeadBytes] = {};
    in.read(reinterpret_cast<char*>(head), sizeof head);
    const std::streamsize got = in.gcount();
    if (got <= 0) return std::nullopt;
    return ReadBmpHeader(head, static_cast<std::size_t>(got), static_cast<std::uint64_t>(size));
}

}  // namespace plat
