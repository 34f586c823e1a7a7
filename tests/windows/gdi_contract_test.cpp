// The GDI behaviour the graphics code relies on, checked through the
// platform layer only: the same expectations hold for our software GDI and
// for the real one (Windows, or Wine under test).
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/windows/gdi_surface.h"

using bmptest::Picture;
using bmptest::Surface;
using bmptest::Swap;

namespace {

constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;

Picture Row(std::initializer_list<std::uint32_t> colours) {
    Picture p;
    p.width = static_cast<int>(colours.size());
    p.height = 1;
    p.pixels.assign(colours);
    return p;
}

plat::BITMAP Info(plat::HBITMAP bmp) {
    plat::BITMAP bm{};
    EXPECT_EQ(plat::GetObjectA(bmp, sizeof bm, &bm), static_cast<int>(sizeof bm));
    return bm;
}

TEST(GdiSurfaces, MaskReferenceGivesMonochromeAndDesktopGivesColour) {
    Surface mono = Surface::Mono(9, 7);
    ASSERT_NE(mono.bitmap(), 0u);
    plat::BITMAP bm = Info(mono.bitmap());
    EXPECT_EQ(bm.bmWidth, 9);
    EXPECT_EQ(bm.bmHeight, 7);
    EXPECT_EQ(bm.bmBitsPixel, 1);

    Surface colour = Surface::Colour(bmptest::Filled(5, 3, kWhite));
    ASSERT_NE(colour.bitmap(), 0u);
    bm = Info(colour.bitmap());
    EXPECT_EQ(bm.bmWidth, 5);
    EXPECT_EQ(bm.bmHeight, 3);
    EXPECT_EQ(bm.bmBitsPixel, 32);
}

TEST(GdiSurfaces, FreshMemoryDcHasWhiteBackgroundAndBlackText) {
    plat::HDC dc = plat::CreateCompatibleDC(0);
    ASSERT_NE(dc, 0u);
    EXPECT_EQ(plat::SetBkColor(dc, 0x123456), Swap(kWhite));
    EXPECT_EQ(plat::SetBkColor(dc, 0), 0x123456u);
    EXPECT_EQ(plat::SetTextColor(dc, 0x654321), Swap(kBlack));
    plat::DeleteDC(dc);
}

TEST(GdiBlit, ColourToMonoMarksTheSourceBackgroundColourWhite) {
    Surface sprite = Surface::Colour(Row({kGreen, 0xFF0000, kGreen, kWhite, 0x00FE00}));
    Surface mask = Surface::Mono(5, 1);
    plat::SetBkColor(sprite.dc(), Swap(kGreen));
    plat::BitBlt(mask.dc(), 0, 0, 5, 1, sprite.dc(), 0, 0, plat::SRCCOPY);
    const Picture got = mask.Read();
    ASSERT_EQ(got.width, 5);
    EXPECT_EQ(got.pixels, (std::vector<std::uint32_t>{kWhite, kBlack, kWhite, kBlack, kBlack}));
}

TEST(GdiBlit, MonoToColourUsesDestinationBackgroundAndTextColours) {
    Surface sprite = Surface::Colour(Row({kGreen, 0xFF0000, kGreen, kBlack}));
    Surface mask = Surface::Mono(4, 1);
    plat::SetBkColor(sprite.dc(), Swap(kGreen));
    plat::BitBlt(mask.dc(), 0, 0, 4, 1, sprite.dc(), 0, 0, plat::SRCCOPY);

    Surface dest = Surface::Colour(bmptest::Filled(4, 1, 0x777777));
    plat::SetBkColor(dest.dc(), Swap(0x0A141E));
    plat::SetTextColor(dest.dc(), Swap(0xC86432));
    plat::BitBlt(dest.dc(), 0, 0, 4, 1, mask.dc(), 0, 0, plat::SRCCOPY);
    EXPECT_EQ(dest.Read().pixels,
              (std::vector<std::uint32_t>{0x0A141E, 0xC86432, 0x0A141E, 0xC86432}));

    // With the colours of a fresh DC the mask lands as white and black.
    Surface plain = Surface::Colour(bmptest::Filled(4, 1, 0x777777));
    plat::BitBlt(plain.dc(), 0, 0, 4, 1, mask.dc(), 0, 0, plat::SRCCOPY);
    EXPECT_EQ(plain.Read().pixels, (std::vector<std::uint32_t>{kWhite, kBlack, kWhite, kBlack}));
}

// The operations with a fast path in the software GDI, each checked against
// the bit rule its kind stands for.
std::uint32_t ByKind(plat::RopKind kind, std::uint32_t src, std::uint32_t dst) {
    switch (kind) {
        case plat::RopKind::Copy:
            return src;
        case plat::RopKind::Or:
            return src | dst;
        case plat::RopKind::And:
            return src & dst;
        case plat::RopKind::Xor:
            return src ^ dst;
        case plat::RopKind::FillWhite:
            return 0xFFFFFF;
        default:
            return 0;
    }
}

TEST(GdiBlit, RasterOperationsCombineEveryBit) {
    const std::uint32_t src = 0x35C3A6;
    const std::uint32_t dst = 0x5A0FF0;
    Surface source = Surface::Colour(bmptest::Filled(3, 2, src));
    for (const plat::Rop& rop : plat::kRops) {
        if (rop.kind == plat::RopKind::General) continue;
        Surface dest = Surface::Colour(bmptest::Filled(3, 2, dst));
        plat::BitBlt(dest.dc(), 0, 0, 3, 2, source.dc(), 0, 0, rop.code);
        EXPECT_EQ(dest.Read().pixels, std::vector<std::uint32_t>(6, ByKind(rop.kind, src, dst)))
            << rop.name;
    }
}

TEST(GdiBlit, DestinationOutsideTheSurfaceIsClipped) {
    Surface source = Surface::Colour(bmptest::Filled(4, 4, 0x102030));
    Surface dest = Surface::Colour(bmptest::Filled(4, 4, kWhite));
    plat::BitBlt(dest.dc(), -1, 2, 4, 4, source.dc(), 0, 0, plat::SRCCOPY);
    const Picture got = dest.Read();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(got.At(x, y), (x < 3 && y >= 2) ? 0x102030u : kWhite) << x << "," << y;
}

TEST(GdiBlit, SubRectangleLandsAtItsOffset) {
    Picture p = bmptest::Filled(4, 3, 0);
    for (int i = 0; i < 12; ++i) p.pixels[static_cast<std::size_t>(i)] = 0x010101u * (i + 1);
    Surface source = Surface::Colour(p);
    Surface dest = Surface::Colour(bmptest::Filled(5, 5, kWhite));
    plat::BitBlt(dest.dc(), 2, 1, 2, 2, source.dc(), 1, 1, plat::SRCCOPY);
    const Picture got = dest.Read();
    EXPECT_EQ(got.At(2, 1), p.At(1, 1));
    EXPECT_EQ(got.At(3, 1), p.At(2, 1));
    EXPECT_EQ(got.At(2, 2), p.At(1, 2));
    EXPECT_EQ(got.At(3, 2), p.At(2, 2));
    EXPECT_EQ(got.At(1, 1), kWhite);
    EXPECT_EQ(got.At(4, 2), kWhite);
    EXPECT_EQ(got.At(2, 3), kWhite);
}

TEST(GdiFiles, LoadImageReadsA24BitFileAtItsOwnSize) {
    Picture p = bmptest::Filled(7, 5, 0x00FF00);
    p.pixels[0] = 0xFF0000;   // top-left
    p.pixels[34] = 0x0000FF;  // bottom-right
    const std::string path = bmptest::TempFile("load");
    bmptest::WriteFile(path, bmptest::Encode24(p));
    const plat::HBITMAP bmp =
        plat::LoadImageA(0, path, plat::IMAGE_BITMAP, 0, 0, plat::LR_LOADFROMFILE);
    std::remove(path.c_str());
    ASSERT_NE(bmp, 0u);
    const plat::BITMAP bm = Info(bmp);
    EXPECT_EQ(bm.bmWidth, 7);
    EXPECT_EQ(bm.bmHeight, 5);
    EXPECT_EQ(bm.bmBitsPixel, 32);

    const std::string saved = bmptest::TempFile("save");
    ASSERT_TRUE(plat::SaveBitmapFile(bmp, saved));
    const Picture back = bmptest::Decode(bmptest::ReadFile(saved));
    std::remove(saved.c_str());
    EXPECT_EQ(back.width, 7);
    EXPECT_EQ(back.pixels, p.pixels);
    plat::DeleteObject(bmp);
}

TEST(GdiFiles, LoadImageGivesZeroForMissingFilesAndOtherKinds) {
    EXPECT_EQ(plat::LoadImageA(0, bmptest::TempFile("missing"), plat::IMAGE_BITMAP, 0, 0,
                               plat::LR_LOADFROMFILE),
              0u);
    const std::string path = bmptest::TempFile("kind");
    bmptest::WriteFile(path, bmptest::Encode24(bmptest::Filled(2, 2, 0)));
    EXPECT_EQ(plat::LoadImageA(0, path, 1 /* IMAGE_ICON */, 0, 0, plat::LR_LOADFROMFILE), 0u);
    std::remove(path.c_str());
}

TEST(GdiFiles, SaveBitmapFileReplacesAnOlderFile) {
    const std::string path = bmptest::TempFile("replace");
    bmptest::WriteFile(path, std::vector<std::uint8_t>(5000, 0xAB));
    Surface s = Surface::Colour(bmptest::Filled(3, 3, 0x445566));
    ASSERT_TRUE(plat::SaveBitmapFile(s.bitmap(), path));
    const Picture back = bmptest::Decode(bmptest::ReadFile(path));
    std::remove(path.c_str());
    EXPECT_EQ(back.pixels, std::vector<std::uint32_t>(9, 0x445566));
}

}  // namespace
