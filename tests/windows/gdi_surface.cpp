#include "tests/windows/gdi_surface.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace bmptest {

Surface Surface::Colour(const Picture& p) {
    Surface s;
    const auto bytes = Encode24(p);
    s.bmp_ = plat::LoadBitmapFromMemory(bytes.data(), bytes.size());
    const plat::HWND desktop = plat::GetDesktopWindow();
    const plat::HDC screen = plat::GetDC(desktop);
    s.dc_ = plat::CreateCompatibleDC(screen);
    plat::ReleaseDC(desktop, screen);
    if (s.dc_ && s.bmp_) s.old_ = plat::SelectObject(s.dc_, s.bmp_);
    return s;
}

Surface Surface::Mono(int width, int height) {
    Surface s;
    s.dc_ = plat::CreateCompatibleDC(0);
    if (s.dc_) s.bmp_ = plat::CreateCompatibleBitmap(s.dc_, width, height);
    if (s.bmp_) {
        s.old_ = plat::SelectObject(s.dc_, s.bmp_);
        plat::BitBlt(s.dc_, 0, 0, width, height, 0, 0, 0, plat::BLACKNESS);
    }
    return s;
}

Surface::Surface(Surface&& o) noexcept : dc_(o.dc_), bmp_(o.bmp_), old_(o.old_) {
    o.dc_ = 0;
    o.bmp_ = 0;
    o.old_ = 0;
}

Surface::~Surface() {
    if (dc_ && old_) plat::SelectObject(dc_, old_);
    if (bmp_) plat::DeleteObject(bmp_);
    if (dc_) plat::DeleteDC(dc_);
}

Picture Surface::Read() const {
    const std::string path = TempFile("read");
    Picture p;
    if (plat::SaveBitmapFile(bmp_, path)) p = Decode(ReadFile(path));
    std::remove(path.c_str());
    return p;
}

std::string TempFile(const std::string& stem) {
    static std::atomic<int> counter{0};
    static const unsigned salt = std::random_device{}();
    return (std::filesystem::temp_directory_path() /
            ("corvane-" + stem + "-" + std::to_string(salt) + "-" + std::to_string(counter++) +
             ".bmp"))
        .string();
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

}  // namespace bmptest
