// .bmp file bytes built and read by tests: pictures go into the GDI through
// LoadBitmapFromMemory and come back out through SaveBitmapFile, so the same
// checks run against any GDI behind the platform layer.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace bmptest {

// Little-endian fields, and the file and 40-byte info headers of a file
// (uncompressed unless told) whose colour table and pixels follow.
void Put16(std::vector<std::uint8_t>& b, std::uint32_t v);
void Put32(std::vector<std::uint8_t>& b, std::uint32_t v);
std::vector<std::uint8_t> Headers(int width, int height, int bits, std::uint32_t colours,
                                  std::uint32_t imageSize, std::uint32_t compression = 0);

// Pixels are 0x00RRGGBB, row 0 at the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// A 24-bit file; bottom-up unless topDown.
std::vector<std::uint8_t> Encode24(const Picture& p, bool topDown = false);
// An 8-bit paletted file whose pixels index the given palette (0x00RRGGBB).
std::vector<std::uint8_t> Encode8(int width, int height, const std::vector<std::uint8_t>& index,
                                  const std::vector<std::uint32_t>& palette);
// Reads 1, 4, 8, 24 and 32-bit uncompressed files; width 0 when it cannot.
Picture Decode(const std::vector<std::uint8_t>& file);
Picture Filled(int width, int height, std::uint32_t colour);

}  // namespace bmptest
