// Helpers of the graphics tests: surfaces filled pixel by pixel, .bmp file
// bytes written by hand, a window provider that records what was drawn.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi.h"
#include "platform/gdi_probes.h"
#include "platform/headless/fake_host.h"
#include "platform/window_pixels.h"

constexpr std::uint32_t kWhite = 0xFFFFFF, kBlack = 0, kGreen = 0x00FF00;  // 0x00RRGGBB
constexpr std::uint32_t kRed = 0xFF0000, kBlue = 0x0000FF;

// A memory DC holding a new bitmap; freed at the end of the scope.
class Canvas {
  public:
    Canvas(int width, int height, bool mono = false, std::uint32_t fill = kBlack);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    plat::HDC dc = 0;
    plat::HBITMAP bmp = 0;
    int width, height;

    std::uint32_t At(int x, int y) const;
    void Set(int x, int y, std::uint32_t rgb) const { plat::WritePixel(dc, x, y, rgb); }
    void Fill(int x, int y, int w, int h, std::uint32_t rgb) const;
    std::vector<std::uint32_t> Pixels() const;

  private:
    plat::HBITMAP old_ = 0;
};

struct Rect {
    int x, y, w, h;
    bool operator==(const Rect&) const = default;
};
void PrintTo(const Rect& r, std::ostream* os);

// Windows whose pixels tests read; records every changed rectangle.
class TestWindows : public plat::WindowProvider {
  public:
    TestWindows(int width, int height);
    ~TestWindows() override;
    bool Acquire(plat::HWND hwnd, plat::WindowSurface& out) override;
    void Changed(plat::HWND hwnd, int x, int y, int width, int height) override;
    void Release(plat::HWND hwnd) override;

    std::vector<std::uint32_t> pixels;
    int width, height;
    std::vector<Rect> changed;
    int acquired = 0, released = 0;
};

// .bmp file bytes: 24-bit (rows given top row first) and palette files.
std::vector<std::uint8_t> Bmp24(int width, int height, const std::vector<std::uint32_t>& rgb,
                                bool topDown = false);
std::vector<std::uint8_t> BmpIndexed(int width, int height, int bits,
                                     const std::vector<std::uint32_t>& palette,
                                     const std::vector<std::uint8_t>& indices);
std::string WriteTemp(const std::string& name, const std::vector<std::uint8_t>& bytes);

// Installs a fake host for the test and checks no GDI object outlives it.
class GraphicsTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    plat::FakeHost host;
    int liveAtStart = 0;
};
