// cTile: tiling, desktop mode, the render object, file names, pictures.
#include "graphics/ctile.h"

#include "common/errors.h"
#include "shell/module1.h"
#include "support.h"

namespace {

class Window : public RenderObject {
  public:
    double width = 800, height = 600;
    plat::HDC dc = 0;
    double ScaleWidth() override { return width; }
    double ScaleHeight() override { return height; }
    plat::HDC hDC() override { return dc; }
};

class Tile : public GraphicsTest {
  protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        Module1::BackgroundMode = std::string("0");
    }
    void TearDown() override {
        Module1::BackgroundMode.clear();
        GraphicsTest::TearDown();
    }
    // A 40x30 picture file.
    std::string Picture40x30(std::uint32_t rgb = kRed) {
        return WriteTemp("tile.bmp", Bmp24(40, 30, std::vector<std::uint32_t>(40 * 30, rgb)));
    }
};

TEST_F(Tile, RepeatsThePictureWithInclusiveBounds) {
    cTile tile;
    Window w;
    tile.Initialise(&w);
    tile.Filename(Picture40x30());
    TestWindows screen(200, 200);  // larger than the area, so clipping hides nothing
    const plat::HDC dc = plat::GetDC(1);
    tile.TileDC(dc, 100, 60);
    std::vector<Rect> want;
    for (int y : {0, 30, 60})
        for (int x : {0, 40, 80}) want.push_back({x, y, 40, 30});
    EXPECT_EQ(screen.changed, want);
    // Desktop mode: one copy at (0, 0), whatever the sizes.
    Module1::BackgroundMode = std::string("1");
    screen.changed.clear();
    tile.TileDC(dc, 100, 60);
    EXPECT_EQ(screen.changed, (std::vector<Rect>{{0, 0, 40, 30}}));
    Module1::BackgroundMode = std::string("01");
    screen.changed.clear();
    tile.TileDC(dc, -1, 60);  // no column: nothing
    EXPECT_TRUE(screen.changed.empty());
    tile.TileDC(dc, 0, 0);
    EXPECT_EQ(screen.changed, (std::vector<Rect>{{0, 0, 40, 30}}));
    plat::ReleaseDC(1, dc);
}

TEST_F(Tile, TileObjectFillsTheRenderObjectAtItsPixelSize) {
    cTile tile;
    Window w;  // 800 x 600 twips at 15: 53 x 40 pixels
    Canvas target(100, 100, false, kBlack);
    w.dc = target.dc;
    tile.Initialise(&w);
    tile.Filename(Picture40x30());
    tile.TileObject();  // copies start at x 0, 40 and y 0, 30 only
    EXPECT_EQ(target.At(79, 59), kRed);
    EXPECT_EQ(target.At(80, 0), kBlack);
    EXPECT_EQ(target.At(0, 60), kBlack);
    // 601 twips are 40 pixels: a copy starts at the inclusive bound x = 40.
    for (auto [twips, want] : {std::pair{601.0, kRed}, {599.0, kBlack}}) {
        Canvas small(50, 10, false, kBlack);
        w.width = twips;
        w.dc = small.dc;
        tile.TileObject();
        EXPECT_EQ(small.At(45, 0), want) << twips;
    }
}

TEST_F(Tile, FileNamesLoadOnceAndNeedARenderObject) {
    cTile tile;
    Canvas target(40, 30, false, kBlack);
    const std::string red = Picture40x30(kRed);
    tile.Filename(red);  // not initialised: nothing loaded, nothing raised
    tile.TileDC(target.dc, 40, 30);
    EXPECT_EQ(target.At(0, 0), kBlack);

    Window w;
    tile.Initialise(&w);
    tile.Filename(red);
    const int loaded = plat::LiveObjects();
    // The same name again does not reload: a changed file is not seen.
    Picture40x30(kBlue);
    tile.Filename(red);
    EXPECT_EQ(plat::LiveObjects(), loaded);
    tile.TileDC(target.dc, 40, 30);
    EXPECT_EQ(target.At(0, 0), kRed);
    // Another spelling of the name loads again.
    const std::string upper =
        WriteTemp("TILE.bmp", Bmp24(40, 30, std::vector<std::uint32_t>(1200, kGreen)));
    tile.Filename(upper);
    tile.TileDC(target.dc, 40, 30);
    EXPECT_EQ(target.At(0, 0), kGreen);
    // A failed load empties the picture but keeps the old name.
    tile.Filename("/nonexistent/x.bmp");
    target.Fill(0, 0, 40, 30, kBlack);
    Module1::BackgroundMode = std::string("1");
    tile.TileDC(target.dc, 40, 30);
    EXPECT_EQ(target.At(0, 0), kBlack);
    tile.Filename(upper);  // the kept name: no reload
    tile.TileDC(target.dc, 40, 30);
    EXPECT_EQ(target.At(0, 0), kBlack);
}

TEST_F(Tile, ClearDropsPictureAndRenderObject) {
    cTile tile;
    Window w;
    Canvas target(10, 10);
    w.dc = target.dc;
    tile.Initialise(&w);
    tile.Filename(Picture40x30());
    tile.Filename("");
    EXPECT_EQ(plat::LiveObjects(), liveAtStart + 2);  // only the target
    EXPECT_THROW(tile.TileDC(target.dc, 10, 10), ObjectNotSetError);
    EXPECT_THROW(tile.TileObject(), ObjectNotSetError);
    tile.Initialise(&w);
    EXPECT_THROW(tile.Filename(Picture40x30()), ObjectNotSetError);
}

TEST_F(Tile, PictureReplacesEverything) {
    cTile tile;
    Window w;
    tile.Initialise(&w);
    tile.Filename(Picture40x30());
    StdPicture pic(plat::CreateCompatibleBitmap(0, 3, 2));
    tile.Picture(pic);
    EXPECT_NE(pic.Handle, 0u);
    EXPECT_THROW(tile.TileObject(), ObjectNotSetError);  // no render object now
    Canvas target(7, 2, false, kRed);
    tile.TileDC(target.dc, 7, 2);
    EXPECT_EQ(target.At(6, 1), kBlack);  // the picture's black, three times
    // An empty picture: a tile of size 0 copies nothing and ends.
    tile.Picture(StdPicture());
    tile.TileDC(target.dc, 7, 2);
}

}  // namespace
