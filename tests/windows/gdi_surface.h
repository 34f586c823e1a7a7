// Drawing surfaces for the GDI tests, made and read only through the
// platform layer's calls.
#pragma once
#include <string>

#include "platform/gdi.h"
#include "tests/windows/bmp_bytes.h"

namespace bmptest {

class Surface {
  public:
    // A colour surface holding the picture (the desktop's format).
    static Surface Colour(const Picture& p);
    // A monochrome surface of the given size, all black.
    static Surface Mono(int width, int height);
    Surface(Surface&& other) noexcept;
    Surface& operator=(Surface&&) = delete;
    ~Surface();

    plat::HDC dc() const { return dc_; }
    plat::HBITMAP bitmap() const { return bmp_; }
    // The pixels now held, read back through SaveBitmapFile.
    Picture Read() const;

  private:
    Surface() = default;
    plat::HDC dc_ = 0;
    plat::HBITMAP bmp_ = 0;
    plat::HGDIOBJ old_ = 0;
};

// 0x00RRGGBB <-> COLORREF 0x00BBGGRR.
constexpr std::uint32_t Swap(std::uint32_t c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// A file name in the temp folder, unique to this process and counter.
std::string TempFile(const std::string& stem);
std::vector<std::uint8_t> ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace bmptest
