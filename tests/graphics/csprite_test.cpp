// cSprite: positions, the background store, and what reaches the screen.
#include "graphics/csprite.h"

#include "common/errors.h"
#include "support.h"

namespace {

class Sprite : public GraphicsTest {
  protected:
    // A 4x3 sheet of one cell, all red.
    std::shared_ptr<cSpriteBitmaps> RedSheet() {
        auto sheet = std::make_shared<cSpriteBitmaps>();
        std::vector<std::uint32_t> px(4 * 3, kRed);
        EXPECT_TRUE(
            sheet->CreateFromFile(WriteTemp("red.bmp", Bmp24(4, 3, px)), 1, 1, "", 0x00FF00));
        return sheet;
    }
};

TEST_F(Sprite, StartsOneScreenLeftOfAndAboveTheScreen) {
    host.screenWidthTwips = 15360;  // 1024 pixels at 15 twips
    host.screenHeightTwips = 11520.5;
    host.twipsY = 14.5;  // rounds to 14 (ties to even): 11520 / 14 = 822
    cSprite s;
    EXPECT_EQ(s.PreviousX(), -1024);
    EXPECT_EQ(s.PreviousY(), -822);
    EXPECT_EQ(s.Width(), 0);
    EXPECT_FALSE(s.Active());
}

TEST_F(Sprite, IncrementPositionMovesOnlyTheLogicalPosition) {
    cSprite s;
    s.X(10);
    s.Y(10);
    s.XDir(3);
    s.YDir(-2);
    s.IncrementPosition();
    EXPECT_EQ(s.X(), 13);
    EXPECT_EQ(s.Y(), 8);
    EXPECT_EQ(s.PreviousX(), -1024);
    s.Y(INT32_MIN + 1);
    EXPECT_THROW(s.IncrementPosition(), OverflowError);  // y overflows after x moved
    EXPECT_EQ(s.X(), 16);
    s.X(INT32_MAX);
    EXPECT_THROW(s.IncrementPosition(), OverflowError);
}

TEST_F(Sprite, WithoutASheetNothingIsSet) {
    cSprite s;
    Canvas c(4, 4);
    EXPECT_THROW(s.SpriteData(nullptr), ObjectNotSetError);
    EXPECT_THROW(s.Create(c.dc), ObjectNotSetError);
    EXPECT_THROW(s.TransparentDraw(c.dc, 5, 6, 1, true), ObjectNotSetError);
}

TEST_F(Sprite, StoreRestoreAndTheDrawingHistory) {
    cSprite s;
    s.SpriteData(RedSheet());
    EXPECT_EQ(s.Width(), 4);
    EXPECT_EQ(s.Height(), 3);
    Canvas stage(20, 20, false, kBlue);
    s.Create(stage.dc);
    s.RestoreBackground(stage.dc);  // nothing stored: nothing happens
    s.TransparentDraw(stage.dc, 5, 6, 1, true);
    s.RestoreBackground(stage.dc);
    EXPECT_EQ(stage.At(5, 6), kRed);

    stage.Fill(0, 0, 20, 20, kBlue);
    s.StoreBackground(stage.dc, 7, 8);
    s.TransparentDraw(stage.dc, 7, 8, 1, false);
    EXPECT_EQ(s.PreviousX(), 5);
    EXPECT_EQ(s.PreviousY(), 6);
    EXPECT_EQ(stage.At(8, 9), kRed);
    stage.Set(6, 6, kGreen);
    s.RestoreBackground(stage.dc);  // at (7, 8), the last drawing
    EXPECT_EQ(stage.At(8, 9), kBlue);
    EXPECT_EQ(stage.At(10, 10), kBlue);
    EXPECT_EQ(stage.At(6, 6), kGreen);
    s.Create(stage.dc);  // a new store is empty
    stage.Fill(0, 0, 20, 20, kBlack);
    s.RestoreBackground(stage.dc);
    EXPECT_EQ(stage.At(8, 9), kBlack);
}

struct Move {
    int fromX, fromY, toX, toY;
    bool inTwo;
    std::vector<Rect> copies;
};

TEST_F(Sprite, StageToScreenCopiesTheChangedArea) {
    const std::vector<Move> moves = {
        {0, 0, 10, 14, false, {{0, 0, 4 + 10, 3 + 14}}},
        {0, 0, 12, 13, true, {{0, 0, 4, 3}, {12, 13, 4, 3}}},
        {50, 20, 40, 30, false, {{40, 20, 4 + 10, 3 + 10}}},
        {40, 30, 40, 30, false, {{40, 30, 4, 3}}},
    };
    auto sheet = RedSheet();
    for (const Move& m : moves) {
        TestWindows screen(200, 200);
        Canvas stage(200, 200);
        const plat::HDC window = plat::GetDC(1);
        cSprite s;
        s.SpriteData(sheet);
        s.TransparentDraw(stage.dc, m.fromX, m.fromY, 1, true);
        s.TransparentDraw(stage.dc, m.toX, m.toY, 1, true);
        EXPECT_EQ(s.BltInTwo(), m.inTwo);
        s.StageToScreen(window, stage.dc);
        EXPECT_EQ(screen.changed, m.copies) << m.toX << "," << m.toY;
        plat::ReleaseDC(1, window);
    }
}

TEST_F(Sprite, FirstDrawingCopiesTheOffScreenPlaceAndTheNewOne) {
    TestWindows screen(200, 200);
    Canvas stage(200, 200, false, kBlue);
    const plat::HDC window = plat::GetDC(1);
    cSprite s;
    s.SpriteData(RedSheet());
    s.TransparentDraw(stage.dc, 100, 100, 1, true);
    EXPECT_TRUE(s.BltInTwo());
    s.StageToScreen(window, stage.dc);
    EXPECT_EQ(screen.changed, (std::vector<Rect>{{100, 100, 4, 3}}));
    EXPECT_EQ(screen.pixels[101 * 200 + 101] & 0xFFFFFF, kRed);
    plat::ReleaseDC(1, window);
}

TEST_F(Sprite, FarApartDrawingsOverflowChecked) {
    cSprite s;
    s.SpriteData(RedSheet());
    Canvas stage(4, 4);
    s.TransparentDraw(stage.dc, INT32_MIN, 0, 1, false);
    s.TransparentDraw(stage.dc, INT32_MAX, 0, 1, false);
    EXPECT_THROW(s.BltInTwo(), OverflowError);
    EXPECT_THROW(s.StageToScreen(stage.dc, stage.dc), OverflowError);
}

TEST_F(Sprite, SharedSheetLivesWhileASpriteHoldsIt) {
    auto sheet = RedSheet();
    const int withSheet = plat::LiveObjects();
    {
        cSprite a, b;
        a.SpriteData(sheet);
        b.SpriteData(sheet);
        a.Create(0);
        b.Create(0);
        sheet.reset();
        EXPECT_EQ(plat::LiveObjects(), withSheet + 4);
    }
    EXPECT_EQ(plat::LiveObjects(), liveAtStart);
}

}  // namespace
