// cSpriteBitmaps: masks, transparent drawing, cells.
#include "graphics/csprite_bitmaps.h"

#include "common/errors.h"
#include "support.h"

namespace {

using Sheet = GraphicsTest;

// A 6x4 picture: a coloured body, a frame of the transparent colour around
// it, and one white pixel inside the body.
StdPicture SheetPicture(std::uint32_t transparent) {
    Canvas c(6, 4, false, transparent);
    c.Fill(1, 1, 4, 2, kRed);
    c.Set(2, 1, kWhite);
    c.Set(3, 2, kBlue);
    StdPicture pic(plat::CreateCompatibleBitmap(0, 6, 4));
    const plat::HDC dc = plat::CreateCompatibleDC(0);
    const plat::HGDIOBJ old = plat::SelectObject(dc, pic.Handle);
    plat::BitBlt(dc, 0, 0, 6, 4, c.dc, 0, 0, plat::SRCCOPY);
    plat::SelectObject(dc, old);
    plat::DeleteDC(dc);
    return pic;
}

bool InBody(int x, int y) {
    return x >= 1 && x < 5 && y >= 1 && y < 3;
}

std::uint32_t BodyColour(int x, int y) {
    if (x == 2 && y == 1) return kWhite;
    if (x == 3 && y == 2) return kBlue;
    return kRed;
}

// Draws the sheet at (lX, lY) on a grey 10x8 target, cell 1.
std::vector<std::uint32_t> DrawOnGrey(cSpriteBitmaps& s, int x, int y, bool build) {
    Canvas dst(10, 8, false, 0x808080);
    s.TransparentDraw(dst.dc, x, y, 1, build);
    return dst.Pixels();
}

TEST_F(Sheet, GreenTransparentColourWhitensTheSheetAndMasksIt) {
    cSpriteBitmaps s;
    ASSERT_TRUE(s.CreateFromPicture(SheetPicture(kGreen), 1, 1, nullptr, plat::RGB(0, 255, 0)));
    // The sheet itself is white where it was green.
    Canvas direct(6, 4, false, kBlack);
    s.DirectBltSprite(direct.dc, 0, 0, 1);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(direct.At(x, y), InBody(x, y) ? BodyColour(x, y) : kWhite) << x << "," << y;
    // Drawn transparently: grey shows through where it was green; the white
    // pixel of the body is drawn.
    const auto px = DrawOnGrey(s, 2, 3, true);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool body = InBody(x - 2, y - 3);
            EXPECT_EQ(px[y * 10 + x], body ? BodyColour(x - 2, y - 3) : 0x808080u) << x << "," << y;
        }
    EXPECT_EQ(DrawOnGrey(s, 2, 3, false), px);
}

TEST_F(Sheet, WhiteIsTransparentByDefaultAndTheSheetStays) {
    cSpriteBitmaps s;
    ASSERT_TRUE(s.CreateFromPicture(SheetPicture(kWhite), 1, 1));
    Canvas direct(6, 4, false, kBlack);
    s.DirectBltSprite(direct.dc, 0, 0, 1);
    EXPECT_EQ(direct.At(0, 0), kWhite);
    EXPECT_EQ(direct.At(3, 2), kBlue);
    const auto px = DrawOnGrey(s, 0, 0, true);
    EXPECT_EQ(px[0], 0x808080u);
    EXPECT_EQ(px[1 * 10 + 2], 0x808080u);  // the white body pixel is transparent now
    EXPECT_EQ(px[2 * 10 + 3], kBlue);
    EXPECT_EQ(px[1 * 10 + 1], kRed);
    EXPECT_EQ(DrawOnGrey(s, 0, 0, false), px);
}

TEST_F(Sheet, SuppliedMaskDrawsLikeAComputedOne) {
    cSpriteBitmaps computed;
    ASSERT_TRUE(computed.CreateFromPicture(SheetPicture(kGreen), 1, 1, nullptr, 0x00FF00));
    // The same mask by hand, over a sheet that is white where it is black.
    Canvas mask(6, 4, true, kBlack);
    mask.Fill(1, 1, 4, 2, kWhite);
    StdPicture maskPic(plat::CreateCompatibleBitmap(mask.dc, 6, 4));
    const plat::HDC dc = plat::CreateCompatibleDC(0);
    const plat::HGDIOBJ old = plat::SelectObject(dc, maskPic.Handle);
    plat::BitBlt(dc, 0, 0, 6, 4, mask.dc, 0, 0, plat::SRCCOPY);
    plat::SelectObject(dc, old);
    plat::DeleteDC(dc);
    cSpriteBitmaps supplied;
    ASSERT_TRUE(supplied.CreateFromPicture(SheetPicture(kWhite), 1, 1, &maskPic));
    for (bool build : {true, false})
        EXPECT_EQ(DrawOnGrey(supplied, -1, 5, build), DrawOnGrey(computed, -1, 5, build));
}

TEST_F(Sheet, DrawingClipsAtEveryEdge) {
    cSpriteBitmaps s;
    ASSERT_TRUE(s.CreateFromPicture(SheetPicture(kGreen), 1, 1, nullptr, 0x00FF00));
    for (auto [x, y] : {std::pair{-3, 0}, {0, -2}, {7, 2}, {3, 6}, {-5, -3}, {20, 20}}) {
        const auto with = DrawOnGrey(s, x, y, true);
        EXPECT_EQ(DrawOnGrey(s, x, y, false), with) << x << "," << y;
        for (int j = 0; j < 8; ++j)
            for (int i = 0; i < 10; ++i) {
                const bool body = InBody(i - x, j - y);
                EXPECT_EQ(with[j * 10 + i], body ? BodyColour(i - x, j - y) : 0x808080u)
                    << x << "," << y << " at " << i << "," << j;
            }
    }
}

// A 100x50 sheet of 4 x 2 cells, each cell one colour (cell n: 0x10 * n).
std::string GridFile() {
    std::vector<std::uint32_t> px(100 * 50);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x) px[y * 100 + x] = 0x10u * (1 + x / 25 + 4 * (y / 25));
    return WriteTemp("grid.bmp", Bmp24(100, 50, px));
}

TEST_F(Sheet, CellsAreNumberedAlongRowsFromOne) {
    cSpriteBitmaps s;
    ASSERT_TRUE(s.CreateFromFile(GridFile(), 4, 2, "", 0xFFFFFF));
    EXPECT_EQ(s.CellWidth(), 25);
    EXPECT_EQ(s.CellHeight(), 25);
    for (int cell : {1, 4, 5, 8}) {
        Canvas dst(25, 25, false, kBlack);
        s.DirectBltSprite(dst.dc, 0, 0, cell);
        EXPECT_EQ(dst.At(0, 0), 0x10u * cell) << cell;
        EXPECT_EQ(dst.At(24, 24), 0x10u * cell) << cell;
        Canvas drawn(25, 25, false, kBlack);
        s.TransparentDraw(drawn.dc, 0, 0, cell);
        EXPECT_EQ(drawn.At(12, 12), 0x10u * cell) << cell;
    }
    // Past the last row: a rectangle outside the sheet, nothing drawn.
    Canvas dst(25, 25, false, kRed);
    s.DirectBltSprite(dst.dc, 0, 0, 9);
    EXPECT_EQ(dst.At(0, 0), kRed);
}

TEST_F(Sheet, CellSizesTruncateAndCountsOfZeroDivide) {
    std::vector<std::uint32_t> px(10 * 3, kRed);
    px[9] = kBlue;  // last column, never drawn with 3 cells of 3 pixels
    const auto path = WriteTemp("ten.bmp", Bmp24(10, 3, px));
    cSpriteBitmaps s;
    ASSERT_TRUE(s.CreateFromFile(path, 3, 1));
    EXPECT_EQ(s.CellWidth(), 3);
    Canvas dst(4, 3, false, kBlack);
    s.DirectBltSprite(dst.dc, 0, 0, 3);
    EXPECT_EQ(dst.At(2, 0), kRed);
    EXPECT_EQ(dst.At(3, 0), kBlack);
    EXPECT_THROW(s.CreateFromFile(path, 0, 1), DivisionByZeroError);
    EXPECT_THROW(s.CreateFromFile(path, 1, 0), DivisionByZeroError);
}

TEST_F(Sheet, DrawingWithoutCreationDividesByZeroAndHugeCellsOverflow) {
    cSpriteBitmaps empty;
    Canvas dst(4, 4);
    EXPECT_THROW(empty.TransparentDraw(dst.dc, 0, 0, 1), DivisionByZeroError);
    EXPECT_THROW(empty.DirectBltSprite(dst.dc, 0, 0, 1), DivisionByZeroError);
    cSpriteBitmaps s;
    ASSERT_TRUE(s.CreateFromFile(GridFile(), 4, 2));
    EXPECT_THROW(s.DirectBltSprite(dst.dc, 0, 0, INT32_MIN), OverflowError);
    EXPECT_THROW(s.DirectBltSprite(dst.dc, 0, 0, INT32_MAX), OverflowError);
    EXPECT_FALSE(s.CreateFromFile("/nonexistent/x.bmp", 1, 1));
    EXPECT_FALSE(s.CreateFromFile(GridFile(), 1, 1, "/nonexistent/mask.bmp"));
}

}  // namespace
