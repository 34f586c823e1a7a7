// .bmp files: loading (valid and hostile), monochrome files, saving.
#include <filesystem>

#include "support.h"

namespace {

using BmpFile = GraphicsTest;

std::uint32_t PixelOf(plat::HBITMAP bmp, int x, int y) {
    const plat::HDC dc = plat::CreateCompatibleDC(0);
    const plat::HGDIOBJ old = plat::SelectObject(dc, bmp);
    std::uint32_t rgb = 0xDEADBEEF;
    plat::ReadPixel(dc, x, y, rgb);
    plat::SelectObject(dc, old);
    plat::DeleteDC(dc);
    return rgb;
}

plat::BITMAP InfoOf(plat::HBITMAP bmp) {
    plat::BITMAP bm{};
    plat::GetObjectA(bmp, sizeof bm, &bm);
    return bm;
}

plat::HBITMAP Load(const std::string& path, int cx = 0, int cy = 0) {
    return plat::LoadImageA(0, path, plat::IMAGE_BITMAP, cx, cy, plat::LR_LOADFROMFILE);
}

const std::vector<std::uint32_t> kSix = {kRed, kGreen, kBlue, kWhite, 0x123456, kBlack};

TEST_F(BmpFile, ColourFilesLoadAsScreenFormatBottomUpOrTopDown) {
    for (bool topDown : {false, true}) {
        const plat::HBITMAP bmp = Load(WriteTemp("six.bmp", Bmp24(3, 2, kSix, topDown)));
        ASSERT_NE(bmp, 0u);
        EXPECT_EQ(InfoOf(bmp).bmBitsPixel, 32);
        EXPECT_EQ(InfoOf(bmp).bmWidth, 3);
        EXPECT_EQ(InfoOf(bmp).bmHeight, 2);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(PixelOf(bmp, i % 3, i / 3), kSix[i]) << i;
        plat::DeleteObject(bmp);
    }
}

TEST_F(BmpFile, PaletteFiles) {
    // Black-then-white 1-bit: monochrome, as Windows makes it.
    const std::vector<std::uint8_t> bits = {1, 0, 0, 1, 1, 1, 0, 0, 1, 0};
    plat::HBITMAP bmp = Load(WriteTemp("bw.bmp", BmpIndexed(10, 1, 1, {kBlack, kWhite}, bits)));
    ASSERT_NE(bmp, 0u);
    EXPECT_EQ(InfoOf(bmp).bmBitsPixel, 1);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(PixelOf(bmp, x, 0), bits[x] ? kWhite : kBlack);
    plat::DeleteObject(bmp);
    // Any other 1-bit palette: colour.
    bmp = Load(WriteTemp("rb.bmp", BmpIndexed(10, 1, 1, {kRed, kBlue}, bits)));
    ASSERT_NE(bmp, 0u);
    EXPECT_EQ(InfoOf(bmp).bmBitsPixel, 32);
    EXPECT_EQ(PixelOf(bmp, 0, 0), kBlue);
    EXPECT_EQ(PixelOf(bmp, 1, 0), kRed);
    plat::DeleteObject(bmp);
    bmp = Load(WriteTemp("p8.bmp", BmpIndexed(3, 1, 8, {kRed, kGreen, kBlue}, {2, 1, 0})));
    ASSERT_NE(bmp, 0u);
    EXPECT_EQ(PixelOf(bmp, 0, 0), kBlue);
    EXPECT_EQ(PixelOf(bmp, 2, 0), kRed);
    plat::DeleteObject(bmp);
}

TEST_F(BmpFile, RequestedSizeResamples) {
    const plat::HBITMAP bmp = Load(WriteTemp("six.bmp", Bmp24(3, 2, kSix)), 6, 0);
    ASSERT_NE(bmp, 0u);
    EXPECT_EQ(InfoOf(bmp).bmWidth, 6);
    EXPECT_EQ(InfoOf(bmp).bmHeight, 2);
    EXPECT_EQ(PixelOf(bmp, 5, 1), kBlack);
    EXPECT_EQ(PixelOf(bmp, 2, 0), kGreen);
    plat::DeleteObject(bmp);
}

TEST_F(BmpFile, MissingMalformedAndHostileFilesGiveZero) {
    auto good = Bmp24(3, 2, kSix);
    auto withSize = [&](std::int32_t w, std::int32_t h) {
        auto b = good;
        for (int k = 0; k < 4; ++k) b[18 + k] = std::uint8_t(std::uint32_t(w) >> (8 * k));
        for (int k = 0; k < 4; ++k) b[22 + k] = std::uint8_t(std::uint32_t(h) >> (8 * k));
        return b;
    };
    auto truncated = good;
    truncated.resize(good.size() - 8);
    auto badMagic = good;
    badMagic[0] = 'X';
    auto badDepth = good;
    badDepth[28] = 7;
    const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> files = {
        {"empty", {}},
        {"magic", badMagic},
        {"short", std::vector<std::uint8_t>(good.begin(), good.begin() + 20)},
        {"truncated", truncated},
        {"depth", badDepth},
        {"zero_width", withSize(0, 2)},
        {"negative_width", withSize(-3, 2)},
        {"zero_height", withSize(3, 0)},
        {"huge", withSize(100000, 100000)},
        {"overflowing", withSize(65536, 65536)},
        {"min_height", withSize(3, INT32_MIN)},
    };
    for (const auto& [name, bytes] : files) {
        EXPECT_EQ(Load(WriteTemp(std::string(name) + ".bmp", bytes)), 0u) << name;
        EXPECT_EQ(plat::LoadBitmapFromMemory(bytes.data(), bytes.size()), 0u) << name;
    }
    EXPECT_EQ(Load("/nonexistent/corvane/none.bmp"), 0u);
    EXPECT_EQ(plat::LoadImageA(0, WriteTemp("six.bmp", good), 1, 0, 0, plat::LR_LOADFROMFILE),
              0u);  // not IMAGE_BITMAP
    EXPECT_EQ(plat::LoadImageA(0, WriteTemp("six.bmp", good), 0, 0, 0, 0), 0u);
}

TEST_F(BmpFile, LoadsFromMemory) {
    const auto bytes = Bmp24(3, 2, kSix);
    const plat::HBITMAP bmp = plat::LoadBitmapFromMemory(bytes.data(), bytes.size());
    ASSERT_NE(bmp, 0u);
    EXPECT_EQ(PixelOf(bmp, 1, 1), kSix[4]);
    plat::DeleteObject(bmp);
}

TEST_F(BmpFile, SavedColourBitmapsLoadBackExactly) {
    Canvas c(5, 3);
    for (int i = 0; i < 15; ++i) c.Set(i % 5, i / 5, 0x0F1E2D * i & 0xFFFFFF);
    const std::string path = WriteTemp("saved.bmp", {'o', 'l', 'd'});
    ASSERT_TRUE(plat::SaveBitmapFile(c.bmp, path));  // selected bitmaps save too
    // 24 bits, bottom-up, rows padded to 4 bytes: 54 + 3 * 16 bytes.
    EXPECT_EQ(std::filesystem::file_size(path), 102u);
    const plat::HBITMAP back = Load(path);
    ASSERT_NE(back, 0u);
    for (int i = 0; i < 15; ++i) EXPECT_EQ(PixelOf(back, i % 5, i / 5), c.At(i % 5, i / 5));
    plat::DeleteObject(back);
    EXPECT_FALSE(plat::SaveBitmapFile(c.bmp, "/nonexistent/dir/x.bmp"));
    EXPECT_FALSE(plat::SaveBitmapFile(0, path));
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));
}

}  // namespace
