#include "support.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tests/support/temp_folder.h"
#include "tests/windows/bmp_bytes.h"

Canvas::Canvas(int w, int h, bool mono, std::uint32_t fill) : width(w), height(h) {
    dc = plat::CreateCompatibleDC(0);
    // A fresh memory DC holds a monochrome bitmap: compatible with it is mono.
    bmp = plat::CreateCompatibleBitmap(mono ? dc : 0, w, h);
    old_ = plat::SelectObject(dc, bmp);
    Fill(0, 0, w, h, fill);
}

Canvas::~Canvas() {
    plat::SelectObject(dc, old_);
    plat::DeleteObject(bmp);
    plat::DeleteDC(dc);
}

std::uint32_t Canvas::At(int x, int y) const {
    std::uint32_t rgb = 0xDEADBEEF;
    EXPECT_TRUE(plat::ReadPixel(dc, x, y, rgb)) << x << "," << y;
    return rgb;
}

void Canvas::Fill(int x, int y, int w, int h, std::uint32_t rgb) const {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Set(i, j, rgb);
}

std::vector<std::uint32_t> Canvas::Pixels() const {
    std::vector<std::uint32_t> out;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) out.push_back(At(x, y));
    return out;
}

void PrintTo(const Rect& r, std::ostream* os) {
    *os << "(" << r.x << "," << r.y << " " << r.w << "x" << r.h << ")";
}

TestWindows::TestWindows(int w, int h) : pixels(std::size_t(w) * h), width(w), height(h) {
    plat::SetWindowProvider(this);
}
TestWindows::~TestWindows() {
    plat::SetWindowProvider(nullptr);
}

bool TestWindows::Acquire(plat::HWND, plat::WindowSurface& out) {
    ++acquired;
    out = {pixels.data(), width, height, width};
    return true;
}
void TestWindows::Changed(plat::HWND, int x, int y, int w, int h) {
    changed.push_back({x, y, w, h});
}
void TestWindows::Release(plat::HWND) {
    ++released;
}

using bmptest::Headers;
using bmptest::Put32;

std::vector<std::uint8_t> Bmp24(int width, int height, const std::vector<std::uint32_t>& rgb,
                                bool topDown) {
    const int stride = (width * 3 + 3) / 4 * 4;
    auto b = Headers(width, topDown ? -height : height, 24, 0, stride * height);
    for (int r = 0; r < height; ++r) {
        const int y = topDown ? r : height - 1 - r;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = rgb[std::size_t(y) * width + x];
            b.push_back(p & 0xFF);
            b.push_back((p >> 8) & 0xFF);
            b.push_back((p >> 16) & 0xFF);
        }
        for (int k = width * 3; k < stride; ++k) b.push_back(0);
    }
    return b;
}

std::vector<std::uint8_t> BmpIndexed(int width, int height, int bits,
                                     const std::vector<std::uint32_t>& palette,
                                     const std::vector<std::uint8_t>& indices) {
    const int stride = (width * bits + 31) / 32 * 4;
    auto b = Headers(width, height, bits, std::uint32_t(palette.size()), stride * height);
    for (std::uint32_t c : palette) Put32(b, c);  // 0x00RRGGBB is B, G, R, 0 in the file
    for (int r = height - 1; r >= 0; --r) {
        std::vector<std::uint8_t> row(stride);
        for (int x = 0; x < width; ++x) {
            const int bit = x * bits;
            row[bit / 8] |=
                std::uint8_t(indices[std::size_t(r) * width + x] << (8 - bits - bit % 8));
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

std::string WriteTemp(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    // One folder of this process's own: test programs run side by side.
    static const TempFolder folder;
    const std::string path = folder / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

void GraphicsTest::SetUp() {
    plat::SetHost(&host);
    liveAtStart = plat::LiveObjects();
}

void GraphicsTest::TearDown() {
    EXPECT_EQ(plat::LiveObjects(), liveAtStart) << "GDI objects leaked";
    plat::SetHost(nullptr);
}
