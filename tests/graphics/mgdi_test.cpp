// mGDI: drawing surfaces made, filled and freed.
#include "graphics/mgdi.h"

#include "support.h"

namespace {

using MGdi = GraphicsTest;

int BitsOf(plat::HBITMAP bmp) {
    plat::BITMAP bm{};
    plat::GetObjectA(bmp, sizeof bm, &bm);
    return bm.bmBitsPixel;
}

TEST_F(MGdi, CreateDCBitmapMakesMaskOrScreenFormatAndDeleteFreesOnce) {
    TestWindows screen(16, 16);
    for (bool mask : {true, false}) {
        plat::HDC dc = 7;
        plat::HBITMAP bmp = 7, old = 7;
        ASSERT_TRUE(mGDI::CreateDCBitmap(mask, dc, bmp, old, 5, 4));
        EXPECT_EQ(BitsOf(bmp), mask ? 1 : 32);
        EXPECT_NE(old, 0u);
        EXPECT_EQ(plat::LiveObjects() - liveAtStart, 2);
        mGDI::DeleteDCBitmap(dc, bmp, old);
        EXPECT_EQ(dc, 0u);
        EXPECT_EQ(bmp, 0u);
        EXPECT_NE(old, 0u);                  // kept as it was
        mGDI::DeleteDCBitmap(dc, bmp, old);  // nothing left to do
    }
    // The desktop DC was taken only for the colour surface, and given back.
    EXPECT_EQ(screen.acquired, 1);
    EXPECT_EQ(screen.released, 1);
}

TEST_F(MGdi, FailedCreationLeavesWhatWasMadeForTheOwner) {
    plat::HDC dc = 0;
    plat::HBITMAP bmp = 0, old = 0;
    EXPECT_FALSE(mGDI::CreateDCBitmap(false, dc, bmp, old, -1, 4));
    EXPECT_NE(dc, 0u);
    EXPECT_EQ(bmp, 0u);
    EXPECT_EQ(old, 0u);
    mGDI::DeleteDCBitmap(dc, bmp, old);  // a DC without a bitmap: only the DC goes
    EXPECT_EQ(dc, 0u);
}

TEST_F(MGdi, LoadDCBitmapOfAMissingFileGivesNothing) {
    plat::HDC dc = 1;
    plat::HBITMAP bmp = 1, old = 1;
    EXPECT_FALSE(mGDI::LoadDCBitmap(false, "/nonexistent/x.bmp", dc, bmp, old));
    EXPECT_EQ(dc, 0u);
    EXPECT_EQ(bmp, 0u);
    EXPECT_EQ(old, 0u);
}

TEST_F(MGdi, LoadDCBitmapHoldsTheFile) {
    const auto path = WriteTemp("load.bmp", Bmp24(2, 1, {kRed, kBlue}));
    plat::HDC dc;
    plat::HBITMAP bmp, old;
    ASSERT_TRUE(mGDI::LoadDCBitmap(false, path, dc, bmp, old));
    std::uint32_t rgb = 0;
    plat::ReadPixel(dc, 1, 0, rgb);
    EXPECT_EQ(rgb, kBlue);
    mGDI::DeleteDCBitmap(dc, bmp, old);
}

TEST_F(MGdi, CopyDCBitmapFromPictureLeavesThePictureFreeToCopyAgain) {
    Canvas source(3, 2, false, kGreen);
    source.Set(2, 1, kRed);
    StdPicture pic(plat::CreateCompatibleBitmap(0, 3, 2));
    const plat::HDC picDC = plat::CreateCompatibleDC(0);
    const plat::HGDIOBJ picOld = plat::SelectObject(picDC, pic.Handle);
    plat::BitBlt(picDC, 0, 0, 3, 2, source.dc, 0, 0, plat::SRCCOPY);
    plat::SelectObject(picDC, picOld);
    plat::DeleteDC(picDC);

    for (int round = 0; round < 2; ++round) {
        plat::HDC dc;
        plat::HBITMAP bmp, old;
        ASSERT_TRUE(mGDI::CopyDCBitmapFromPicture(false, pic, dc, bmp, old)) << round;
        EXPECT_NE(bmp, pic.Handle);
        std::uint32_t rgb = 0;
        plat::ReadPixel(dc, 2, 1, rgb);
        EXPECT_EQ(rgb, kRed);
        mGDI::DeleteDCBitmap(dc, bmp, old);
    }
    // A mask copy keeps the picture's own format.
    Canvas maskSource(4, 4, true, kWhite);
    StdPicture maskPic(plat::CreateCompatibleBitmap(maskSource.dc, 4, 4));
    plat::HDC dc;
    plat::HBITMAP bmp, old;
    ASSERT_TRUE(mGDI::CopyDCBitmapFromPicture(true, maskPic, dc, bmp, old));
    EXPECT_EQ(BitsOf(bmp), 1);
    mGDI::DeleteDCBitmap(dc, bmp, old);
    // An empty picture gives nothing.
    EXPECT_FALSE(mGDI::CopyDCBitmapFromPicture(false, StdPicture(), dc, bmp, old));
    mGDI::DeleteDCBitmap(dc, bmp, old);
}

}  // namespace
