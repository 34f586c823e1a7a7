// cBitmap: creation, size, rendering with raster operations, freeing.
#include "graphics/cbitmap.h"

#include "support.h"

namespace {

using CBitmap = GraphicsTest;

TEST_F(CBitmap, SizeComesFromTheLoadedFile) {
    cBitmap b;
    EXPECT_FALSE(b.CreateFromFile("/nonexistent/x.bmp"));
    EXPECT_EQ(b.hDC(), 0u);
    std::vector<std::uint32_t> px(32 * 16, kBlue);
    ASSERT_TRUE(b.CreateFromFile(WriteTemp("32x16.bmp", Bmp24(32, 16, px))));
    EXPECT_EQ(b.Width(), 32);
    EXPECT_EQ(b.Height(), 16);
    // A failed re-creation empties the object but keeps the last size.
    EXPECT_FALSE(b.CreateFromFile("/nonexistent/x.bmp"));
    EXPECT_EQ(b.hDC(), 0u);
    EXPECT_EQ(b.Width(), 32);
    EXPECT_EQ(plat::LiveObjects(), liveAtStart);
    Canvas dst(4, 4, false, kRed);
    b.RenderBitmap(dst.dc, 0, 0);  // nothing to draw from
    EXPECT_EQ(dst.At(0, 0), kRed);
}

TEST_F(CBitmap, RenderBitmapCombinesWithTheChosenOperation) {
    cBitmap b;
    ASSERT_TRUE(b.CreateAtSize(2, 2));
    plat::BitBlt(b.hDC(), 0, 0, 2, 2, 0, 0, 0, plat::WHITENESS);
    plat::WritePixel(b.hDC(), 1, 1, 0x00FF00);
    Canvas dst(4, 4, false, 0x0000FF);
    b.RenderBitmap(dst.dc, 1, 1);
    EXPECT_EQ(dst.At(1, 1), kWhite);
    EXPECT_EQ(dst.At(2, 2), kGreen);
    EXPECT_EQ(dst.At(3, 3), kBlue);
    b.RenderBitmap(dst.dc, 2, 2, plat::SRCAND);
    EXPECT_EQ(dst.At(2, 2), kGreen);
    EXPECT_EQ(dst.At(3, 3), kBlack);  // green AND blue
    b.RenderBitmap(dst.dc, 0, 0, plat::SRCPAINT);
    EXPECT_EQ(dst.At(1, 1), kWhite);
}

TEST_F(CBitmap, RecreationFreesTheFirstSurface) {
    {
        cBitmap b;
        ASSERT_TRUE(b.CreateAtSize(8, 8));
        ASSERT_TRUE(b.CreateAtSize(3, 5));
        EXPECT_EQ(plat::LiveObjects() - liveAtStart, 2);
        EXPECT_EQ(b.Width(), 3);
        EXPECT_EQ(b.Height(), 5);
    }
    EXPECT_EQ(plat::LiveObjects(), liveAtStart);
}

TEST_F(CBitmap, CreateFromPictureCopiesAndLeavesThePicture) {
    StdPicture pic(plat::CreateCompatibleBitmap(0, 6, 3));
    cBitmap b;
    ASSERT_TRUE(b.CreateFromPicture(pic));
    EXPECT_EQ(b.Width(), 6);
    EXPECT_EQ(b.Height(), 3);
    EXPECT_TRUE(b.CreateFromPicture(pic));
    EXPECT_FALSE(b.CreateFromPicture(StdPicture()));
}

}  // namespace
