// The software GDI: objects, raster operations, conversions, clipping.
#include <filesystem>
#include <string_view>
#include <utility>

#include "support.h"

namespace {

using Gdi = GraphicsTest;

TEST_F(Gdi, FreshDcHoldsMonochromeBitmapAndBitmapsFollowTheirReference) {
    const plat::HDC dc = plat::CreateCompatibleDC(0);
    const plat::HBITMAP mono = plat::CreateCompatibleBitmap(dc, 9, 4);
    const plat::HBITMAP colour = plat::CreateCompatibleBitmap(0, 9, 4);
    plat::BITMAP bm{};
    ASSERT_EQ(plat::GetObjectA(mono, sizeof bm, &bm), 24);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmWidth, 9);
    EXPECT_EQ(bm.bmHeight, 4);
    EXPECT_EQ(bm.bmWidthBytes, 2);
    ASSERT_EQ(plat::GetObjectA(colour, sizeof bm, &bm), 24);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(plat::GetObjectA(colour, 20, &bm), 0);

    // A DC holding a colour bitmap makes colour bitmaps.
    const plat::HGDIOBJ stock = plat::SelectObject(dc, colour);
    EXPECT_NE(stock, 0u);
    const plat::HBITMAP again = plat::CreateCompatibleBitmap(dc, 2, 2);
    ASSERT_EQ(plat::GetObjectA(again, sizeof bm, &bm), 24);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(plat::LiveObjects() - liveAtStart, 4);

    // A selected bitmap is not deleted, nor selected into a second DC.
    EXPECT_FALSE(plat::DeleteObject(colour));
    const plat::HDC other = plat::CreateCompatibleDC(dc);
    EXPECT_EQ(plat::SelectObject(other, colour), 0u);
    EXPECT_EQ(plat::SelectObject(dc, stock), colour);
    EXPECT_TRUE(plat::DeleteObject(colour));
    EXPECT_FALSE(plat::DeleteObject(colour));  // already gone
    for (auto h : {mono, again}) EXPECT_TRUE(plat::DeleteObject(h));
    EXPECT_TRUE(plat::DeleteDC(dc));
    EXPECT_TRUE(plat::DeleteDC(other));
    EXPECT_FALSE(plat::DeleteDC(dc));
}

TEST_F(Gdi, DeletingADcFreesItsBitmapForReuseButNotTheBitmap) {
    const plat::HDC dc = plat::CreateCompatibleDC(0);
    const plat::HBITMAP bmp = plat::CreateCompatibleBitmap(0, 3, 3);
    plat::SelectObject(dc, bmp);
    plat::DeleteDC(dc);
    EXPECT_EQ(plat::LiveObjects() - liveAtStart, 1);
    EXPECT_TRUE(plat::DeleteObject(bmp));
}

TEST_F(Gdi, ZeroAndNegativeSizes) {
    EXPECT_EQ(plat::CreateCompatibleBitmap(0, -1, 5), 0u);
    EXPECT_EQ(plat::CreateCompatibleBitmap(0, 70000, 70000), 0u);
    // Size 0 gives the shared 1-by-1 monochrome bitmap, which is never freed.
    const plat::HBITMAP empty = plat::CreateCompatibleBitmap(0, 0, 5);
    plat::BITMAP bm{};
    ASSERT_EQ(plat::GetObjectA(empty, sizeof bm, &bm), 24);
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_TRUE(plat::DeleteObject(empty));
    EXPECT_EQ(plat::LiveObjects(), liveAtStart);
}

TEST_F(Gdi, ColoursOfAFreshDcAndSetBkColorReturnsThePrevious) {
    const plat::HDC dc = plat::CreateCompatibleDC(0);
    EXPECT_EQ(plat::SetBkColor(dc, plat::RGB(0, 255, 0)), 0xFFFFFFu);
    EXPECT_EQ(plat::SetBkColor(dc, 0xFFFFFF), 0x00FF00u);
    EXPECT_EQ(plat::SetTextColor(dc, 0x123456), 0u);
    EXPECT_EQ(plat::SetBkColor(0, 0), 0xFFFFFFFFu);
    plat::DeleteDC(dc);
}

// Every named operation, each with its result worked out by hand: a row
// added to the table without an expectation here fails.
std::uint32_t Expected(std::string_view name, std::uint32_t s, std::uint32_t d) {
    const std::pair<std::string_view, std::uint32_t> want[] = {
        {"SRCCOPY", s},       {"SRCAND", s & d},      {"SRCPAINT", s | d},
        {"SRCINVERT", s ^ d}, {"WHITENESS", kWhite},  {"BLACKNESS", kBlack},
        {"NOTSRCCOPY", ~s},   {"MERGEPAINT", ~s | d}, {"DSTINVERT", ~d}};
    for (const auto& [n, v] : want)
        if (n == name) return v & 0xFFFFFF;
    ADD_FAILURE() << "no expected result for " << name;
    return 0xDEADBEEF;
}

TEST_F(Gdi, RasterOperationsBetweenColourSurfaces) {
    const std::uint32_t s = 0x0F0F33, d = 0x3355F0;
    for (const plat::Rop& rop : plat::kRops) {
        Canvas src(20, 3, false, s), dst(20, 3, false, d);
        EXPECT_TRUE(plat::BitBlt(dst.dc, 0, 0, 20, 3, src.dc, 0, 0, rop.code));
        for (int x : {0, 7, 19}) EXPECT_EQ(dst.At(x, 2), Expected(rop.name, s, d)) << rop.name;
    }
}

TEST_F(Gdi, ColourToMonochromeIsOneWhereTheSourceBackgroundColourIs) {
    Canvas src(10, 2, false, kRed), mask(10, 2, true, kBlack);
    src.Set(3, 0, kGreen);
    src.Set(9, 1, kGreen);
    src.Set(4, 0, 0x00FE00);  // near green is not green
    plat::SetBkColor(src.dc, plat::RGB(0, 255, 0));
    plat::BitBlt(mask.dc, 0, 0, 10, 2, src.dc, 0, 0, plat::SRCCOPY);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool green = (x == 3 && y == 0) || (x == 9 && y == 1);
            EXPECT_EQ(mask.At(x, y), green ? kWhite : kBlack) << x << "," << y;
        }
}

TEST_F(Gdi, MonochromeToColourUsesTheDestinationsColours) {
    // 21 pixels from an unaligned start exercise the partial and whole bytes.
    Canvas mask(40, 1, true, kBlack);
    for (int x = 0; x < 40; x += 3) mask.Set(x, 0, kWhite);
    for (const plat::Rop& rop : plat::kRops) {
        const plat::RopKind k = rop.kind;
        if (k != plat::RopKind::Copy && k != plat::RopKind::Or && k != plat::RopKind::And &&
            k != plat::RopKind::Xor)
            continue;  // the word-wise kernels
        Canvas dst(30, 1, false, 0x101010);
        plat::SetBkColor(dst.dc, plat::RGB(0, 0, 255));    // 1 bits: blue
        plat::SetTextColor(dst.dc, plat::RGB(255, 0, 0));  // 0 bits: red
        plat::BitBlt(dst.dc, 2, 0, 21, 1, mask.dc, 5, 0, rop.code);
        for (int x = 0; x < 30; ++x) {
            std::uint32_t want = 0x101010;
            if (x >= 2 && x < 23) {
                const std::uint32_t s = ((x - 2 + 5) % 3 == 0) ? kBlue : kRed;
                want = Expected(rop.name, s, 0x101010);
            }
            EXPECT_EQ(dst.At(x, 0), want) << rop.name << " x " << x;
        }
    }
}

TEST_F(Gdi, MonochromeToMonochromeKeepsBits) {
    Canvas a(12, 2, true, kBlack), b(12, 2, true, kWhite);
    a.Set(1, 1, kWhite);
    plat::BitBlt(b.dc, 0, 0, 12, 2, a.dc, 0, 0, plat::SRCAND);
    EXPECT_EQ(b.At(1, 1), kWhite);
    EXPECT_EQ(b.At(2, 1), kBlack);
    plat::BitBlt(b.dc, 0, 0, 12, 2, a.dc, 0, 0, plat::WHITENESS);
    EXPECT_EQ(b.At(2, 1), kWhite);
    plat::BitBlt(b.dc, 0, 0, 12, 2, a.dc, 0, 0, plat::SRCINVERT);
    EXPECT_EQ(b.At(1, 1), kBlack);
    EXPECT_EQ(b.At(0, 0), kWhite);
}

// Source 4x4 with distinct pixels copied to (x, y) of an 6x6 black target.
void ExpectCopyAt(int x, int y, int sx, int sy) {
    Canvas src(4, 4), dst(6, 6, false, kBlack);
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i) src.Set(i, j, 0x100 * (j + 1) + i + 1);
    plat::BitBlt(dst.dc, x, y, 4, 4, src.dc, sx, sy, plat::SRCCOPY);
    for (int j = 0; j < 6; ++j)
        for (int i = 0; i < 6; ++i) {
            const int si = i - x + sx, sj = j - y + sy;
            const bool inside = si >= 0 && sj >= 0 && si < 4 && sj < 4 && i - x < 4 && j - y < 4 &&
                                i >= x && j >= y;
            EXPECT_EQ(dst.At(i, j), inside ? 0x100u * (sj + 1) + si + 1 : kBlack)
                << "copy to " << x << "," << y << " from " << sx << "," << sy << " at " << i << ","
                << j;
        }
}

TEST_F(Gdi, ClippingAtEveryEdgeOfBothSurfaces) {
    ExpectCopyAt(-2, 1, 0, 0);  // left of the destination
    ExpectCopyAt(1, -3, 0, 0);  // above
    ExpectCopyAt(4, 1, 0, 0);   // past the right edge
    ExpectCopyAt(1, 5, 0, 0);   // past the bottom
    ExpectCopyAt(1, 1, -2, 0);  // source starts left of its surface
    ExpectCopyAt(1, 1, 0, -1);  // and above
    ExpectCopyAt(0, 0, 3, 0);   // source runs past its right edge
    ExpectCopyAt(0, 0, 0, 2);   // and its bottom
    ExpectCopyAt(-1, -1, -1, 2);
    ExpectCopyAt(100, 0, 0, 0);  // wholly off
    ExpectCopyAt(-2000000000, -2000000000, 0, 0);
}

TEST_F(Gdi, SameSurfaceCopiesInEveryDirection) {
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {2, 2}, {-2, 1}}) {
        for (std::uint32_t rop : {plat::SRCCOPY, plat::SRCPAINT}) {
            Canvas c(8, 8), expect(8, 8), copy(8, 8);
            for (int j = 0; j < 8; ++j)
                for (int i = 0; i < 8; ++i) c.Set(i, j, 0x010000 * i + 0x000100 * j + 7);
            plat::BitBlt(copy.dc, 0, 0, 8, 8, c.dc, 0, 0, plat::SRCCOPY);
            plat::BitBlt(expect.dc, 0, 0, 8, 8, c.dc, 0, 0, plat::SRCCOPY);
            plat::BitBlt(expect.dc, 2 + dx, 2 + dy, 4, 4, copy.dc, 2, 2, rop);
            plat::BitBlt(c.dc, 2 + dx, 2 + dy, 4, 4, c.dc, 2, 2, rop);
            EXPECT_EQ(c.Pixels(), expect.Pixels()) << dx << "," << dy;
        }
    }
}

TEST_F(Gdi, InvalidHandlesAndEmptyRectanglesDrawNothing) {
    Canvas c(4, 4, false, kRed);
    EXPECT_FALSE(plat::BitBlt(c.dc, 0, 0, 4, 4, 0, 0, 0, plat::SRCCOPY));
    EXPECT_FALSE(plat::BitBlt(0, 0, 0, 4, 4, c.dc, 0, 0, plat::SRCCOPY));
    EXPECT_FALSE(plat::BitBlt(c.dc, 0, 0, 4, 4, c.bmp, 0, 0, plat::SRCCOPY));
    EXPECT_TRUE(plat::BitBlt(c.dc, 0, 0, 0, 4, 0, 0, 0, plat::WHITENESS));
    EXPECT_TRUE(plat::BitBlt(c.dc, 0, 0, -3, 4, 0, 0, 0, plat::WHITENESS));
    EXPECT_EQ(c.At(0, 0), kRed);
    // WHITENESS needs no source.
    EXPECT_TRUE(plat::BitBlt(c.dc, 1, 1, 2, 2, 0, 0, 0, plat::WHITENESS));
    EXPECT_EQ(c.At(1, 1), kWhite);
    EXPECT_EQ(c.At(3, 3), kRed);
}

TEST_F(Gdi, WindowDcsDrawIntoTheWindowAndReportWhatChanged) {
    EXPECT_EQ(plat::GetDC(plat::GetDesktopWindow()), 0u);  // no provider yet
    TestWindows windows(10, 8);
    const plat::HDC screen = plat::GetDC(plat::GetDesktopWindow());
    ASSERT_NE(screen, 0u);
    EXPECT_EQ(windows.acquired, 1);
    Canvas src(4, 4, false, kGreen);
    plat::BitBlt(screen, 8, -1, 4, 4, src.dc, 0, 0, plat::SRCCOPY);
    plat::BitBlt(screen, 20, 0, 4, 4, src.dc, 0, 0, plat::SRCCOPY);  // all clipped: no report
    EXPECT_EQ(windows.changed, (std::vector<Rect>{{8, 0, 2, 3}}));
    EXPECT_EQ(windows.pixels[2 * 10 + 9], kGreen);
    std::uint32_t rgb = 0;
    EXPECT_TRUE(plat::ReadPixel(screen, 9, 2, rgb));
    EXPECT_EQ(rgb, kGreen);
    // A window DC is a valid source and reference, but holds no bitmap.
    Canvas copy(10, 8);
    plat::BitBlt(copy.dc, 0, 0, 10, 8, screen, 0, 0, plat::SRCCOPY);
    EXPECT_EQ(copy.At(9, 2), kGreen);
    EXPECT_EQ(plat::SelectObject(screen, copy.bmp), 0u);
    EXPECT_FALSE(plat::DeleteDC(screen));
    EXPECT_EQ(plat::ReleaseDC(plat::GetDesktopWindow(), screen), 1);
    EXPECT_EQ(windows.released, 1);
    EXPECT_EQ(plat::ReleaseDC(plat::GetDesktopWindow(), screen), 0);
}

}  // namespace

namespace {

// A mask ORed onto a canvas, then `next` (given the canvas, a sprite, a
// canvas to copy into and the mask); with `copyFirst` the sprite's pixels
// are first copied under the mask. With `apart` another BitBlt comes in
// between each, which makes the GDI carry out what it holds before the
// next. Gives the canvas's pixels and what `next` copied elsewhere.
template <typename Next>
std::vector<std::uint32_t> MaskThen(bool apart, Next next, bool copyFirst = false) {
    Canvas dst(30, 5), mask(30, 5, true, kBlack), sprite(30, 5), copy(30, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 30; ++x) {
            dst.Set(x, y, 0x010203 * (x + 7 * y));
            // Whole bytes of white and of black, and mixed ones.
            const bool white =
                x < 16 ? x >= 8 || (x * 3 + y) % 4 == 0 : x >= 24 && (x * 3 + y) % 4 == 0;
            if (white) mask.Set(x, y, kWhite);
            sprite.Set(x, y, (x + y) % 3 ? kWhite : 0x336699 + x);
        }
    if (copyFirst) {
        plat::BitBlt(dst.dc, 3, 1, 21, 3, sprite.dc, 6, 2, plat::SRCCOPY);
        if (apart) plat::BitBlt(copy.dc, 0, 0, 1, 1, copy.dc, 0, 0, plat::SRCCOPY);
    }
    plat::BitBlt(dst.dc, 3, 1, 21, 3, mask.dc, 5, 1, plat::SRCPAINT);
    if (apart) plat::BitBlt(copy.dc, 0, 0, 1, 1, copy.dc, 0, 0, plat::SRCCOPY);
    next(dst, sprite, copy, mask);
    std::vector<std::uint32_t> out = dst.Pixels(), copied = copy.Pixels();
    out.insert(out.end(), copied.begin(), copied.end());
    return out;
}

// The canvas's bitmap taken out of its DC and read through another.
void ReadThroughAnotherDc(Canvas& d, Canvas& c) {
    const plat::HBITMAP spare = plat::CreateCompatibleBitmap(0, 1, 1);
    const plat::HGDIOBJ bitmap = plat::SelectObject(d.dc, spare);
    const plat::HDC other = plat::CreateCompatibleDC(0);
    const plat::HGDIOBJ stock = plat::SelectObject(other, bitmap);
    plat::BitBlt(c.dc, 0, 0, 30, 5, other, 0, 0, plat::SRCCOPY);
    plat::SelectObject(other, stock);
    plat::DeleteDC(other);
    plat::SelectObject(d.dc, bitmap);
    plat::DeleteObject(spare);
}

}  // namespace

// The sprite pass may join the mask pass before it; whatever follows the
// mask, the pixels are those of the two operations one after the other.
TEST_F(Gdi, AMaskAndWhatFollowsItGiveThePixelsOfTheTwoApart) {
    using C = Canvas&;
    auto sprite = [](C d, C s, C, C) { plat::BitBlt(d.dc, 3, 1, 21, 3, s.dc, 2, 0, plat::SRCAND); };
    auto elsewhere = [](C d, C s, C, C) {
        plat::BitBlt(d.dc, 4, 1, 21, 3, s.dc, 2, 0, plat::SRCAND);
    };
    auto readBack = [](C d, C, C c, C) {
        plat::BitBlt(c.dc, 0, 0, 30, 5, d.dc, 0, 0, plat::SRCCOPY);
    };
    auto ontoItself = [](C d, C, C, C) {
        plat::BitBlt(d.dc, 3, 1, 21, 3, d.dc, 2, 0, plat::SRCAND);
    };
    auto reselected = [](C d, C, C c, C) { ReadThroughAnotherDc(d, c); };
    // The mask's own bitmap leaves its DC and is changed there before the
    // canvas is read: the canvas holds the mask as it was.
    auto maskChanged = [](C d, C, C c, C m) {
        const plat::HBITMAP spare = plat::CreateCompatibleBitmap(m.dc, 30, 5);
        const plat::HGDIOBJ bitmap = plat::SelectObject(m.dc, spare);
        const plat::HDC other = plat::CreateCompatibleDC(0);
        const plat::HGDIOBJ stock = plat::SelectObject(other, bitmap);
        plat::BitBlt(other, 0, 0, 30, 5, other, 0, 0, plat::WHITENESS);
        plat::SelectObject(other, stock);
        plat::DeleteDC(other);
        plat::SelectObject(m.dc, bitmap);
        plat::DeleteObject(spare);
        ReadThroughAnotherDc(d, c);
    };
    // The canvas's DC deleted, its bitmap read through another.
    auto dcDeleted = [](C d, C, C c, C) {
        const plat::HBITMAP spare = plat::CreateCompatibleBitmap(0, 1, 1);
        const plat::HGDIOBJ bitmap = plat::SelectObject(d.dc, spare);
        const plat::HDC fresh = plat::CreateCompatibleDC(0);
        plat::SelectObject(fresh, bitmap);
        plat::DeleteDC(d.dc);
        plat::DeleteObject(spare);
        d.dc = fresh;  // the canvas goes on with the new DC
        plat::BitBlt(c.dc, 0, 0, 30, 5, d.dc, 0, 0, plat::SRCCOPY);
    };
    auto pixelRead = [](C d, C, C c, C) {
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 30; ++x) c.Set(x, y, d.At(x, y));
    };
    auto savedAndLoaded = [](C d, C, C c, C) {
        const std::string path =
            (std::filesystem::temp_directory_path() / "corvane-held-mask.bmp").string();
        ASSERT_TRUE(plat::SaveBitmapFile(d.bmp, path));
        const plat::HBITMAP loaded =
            plat::LoadImageA(0, path, plat::IMAGE_BITMAP, 0, 0, plat::LR_LOADFROMFILE);
        std::filesystem::remove(path);
        const plat::HDC dc = plat::CreateCompatibleDC(0);
        const plat::HGDIOBJ stock = plat::SelectObject(dc, loaded);
        plat::BitBlt(c.dc, 0, 0, 30, 5, dc, 0, 0, plat::SRCCOPY);
        plat::SelectObject(dc, stock);
        plat::DeleteDC(dc);
        plat::DeleteObject(loaded);
    };
    // The sprite's bitmap, which a held copy reads, changed first.
    auto sourceChanged = [](C d, C s, C c, C) {
        plat::BitBlt(s.dc, 0, 0, 30, 5, s.dc, 0, 0, plat::BLACKNESS);
        plat::BitBlt(c.dc, 0, 0, 30, 5, d.dc, 0, 0, plat::SRCCOPY);
    };
    for (bool copyFirst : {false, true})
        for (auto next : {+sprite, +elsewhere, +readBack, +ontoItself, +reselected, +maskChanged,
                          +dcDeleted, +pixelRead, +savedAndLoaded, +sourceChanged})
            EXPECT_EQ(MaskThen(false, next, copyFirst), MaskThen(true, next, copyFirst))
                << copyFirst;
}

// A copy held for a mask that does not join it (one elsewhere, one in other
// colours) gives the pixels of the calls one by one.
TEST_F(Gdi, AHeldCopyWithoutItsMaskGivesThePixelsOfTheCallsApart) {
    auto run = [](bool apart, int variant) {
        Canvas dst(30, 5), mask(30, 5, true, kBlack), sprite(30, 5), copy(30, 5);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 30; ++x) {
                dst.Set(x, y, 0x0F0E0D * (x + 3 * y));
                if ((x + y) % 3) mask.Set(x, y, kWhite);
                sprite.Set(x, y, 0x204060 + x * 7 + y);
            }
        if (variant == 1) plat::SetTextColor(dst.dc, 0x102030);
        plat::BitBlt(dst.dc, 2, 1, 20, 3, sprite.dc, 1, 0, plat::SRCCOPY);
        if (apart) plat::BitBlt(copy.dc, 0, 0, 1, 1, copy.dc, 0, 0, plat::SRCCOPY);
        const int mx = variant == 0 ? 3 : 2;
        plat::BitBlt(dst.dc, mx, 1, 20, 3, mask.dc, 0, 0, plat::SRCPAINT);
        if (apart) plat::BitBlt(copy.dc, 0, 0, 1, 1, copy.dc, 0, 0, plat::SRCCOPY);
        plat::BitBlt(dst.dc, mx, 1, 20, 3, sprite.dc, 4, 1, plat::SRCAND);
        return dst.Pixels();
    };
    for (int variant : {0, 1}) EXPECT_EQ(run(false, variant), run(true, variant)) << variant;
}
