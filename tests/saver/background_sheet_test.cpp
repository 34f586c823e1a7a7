// The tiled background kept as a sheet: any rectangle of it, and the part of
// a sprite's old place its new one leaves, put back exactly.
#include "saver/background_sheet.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "graphics/render_object.h"
#include "platform/gdi.h"
#include "platform/gdi_probes.h"
#include "shell/module1.h"
#include "tests/windows/bmp_bytes.h"

namespace {

constexpr int kStageW = 40, kStageH = 30;

class NoWindow : public RenderObject {
  public:
    double ScaleWidth() override { return 0; }
    double ScaleHeight() override { return 0; }
    plat::HDC hDC() override { return 0; }
};

class BackgroundSheetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Module1::BackgroundMode = "0";
        // A 5x3 tile of distinct colours, none of them black.
        bmptest::Picture p{5, 3, {}};
        for (int i = 0; i < 15; ++i) p.pixels.push_back(0x0A0B0C * (i + 1) + 0x100);
        path_ = (std::filesystem::temp_directory_path() / "corvane-sheet-tile.bmp").string();
        const std::vector<std::uint8_t> bytes = bmptest::Encode24(p);
        std::ofstream(path_, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        tile_.Initialise(&window_);
        tile_.Filename(path_);
        stage_ = plat::CreateCompatibleDC(0);
        bitmap_ = plat::CreateCompatibleBitmap(0, kStageW, kStageH);
        old_ = plat::SelectObject(stage_, bitmap_);
        tile_.TileDC(stage_, kStageW, kStageH);
        background_ = Pixels();
    }
    void TearDown() override {
        plat::SelectObject(stage_, old_);
        plat::DeleteObject(bitmap_);
        plat::DeleteDC(stage_);
        std::filesystem::remove(path_);
        Module1::BackgroundMode.clear();
    }
    std::vector<std::uint32_t> Pixels() const {
        std::vector<std::uint32_t> out(kStageW * kStageH);
        for (int y = 0; y < kStageH; ++y)
            for (int x = 0; x < kStageW; ++x) plat::ReadPixel(stage_, x, y, out[y * kStageW + x]);
        return out;
    }
    void Blacken() { plat::BitBlt(stage_, 0, 0, kStageW, kStageH, 0, 0, 0, plat::BLACKNESS); }
    // The stage after the call: the background where `inside` holds, black
    // elsewhere.
    template <typename Inside>
    std::vector<std::uint32_t> Expected(Inside inside) const {
        std::vector<std::uint32_t> out(kStageW * kStageH, 0);
        for (int y = 0; y < kStageH; ++y)
            for (int x = 0; x < kStageW; ++x)
                if (inside(x, y)) out[y * kStageW + x] = background_[y * kStageW + x];
        return out;
    }

    NoWindow window_;
    cTile tile_;
    std::string path_;
    plat::HDC stage_ = 0;
    plat::HBITMAP bitmap_ = 0;
    plat::HGDIOBJ old_ = 0;
    std::vector<std::uint32_t> background_;
};

bool In(const StageArea& a, int x, int y) {
    return x >= a.x && x < a.x + a.w && y >= a.y && y < a.y + a.h;
}

// Areas on and off the stage's edges, wider and taller than the sheet's
// sprites (put in pieces).
TEST_F(BackgroundSheetTest, PutsBackAnyRectangleOfTheTiledBackground) {
    BackgroundSheet sheet;
    ASSERT_TRUE(sheet.Make(tile_, 7, 4));
    std::uint32_t seed = 12345;
    auto next = [&](int lo, int hi) {
        seed = seed * 1103515245 + 12345;
        return lo + static_cast<int>((seed >> 8) % std::uint32_t(hi - lo + 1));
    };
    for (int n = 0; n < 300; ++n) {
        const StageArea a{next(-12, 45), next(-10, 35), next(0, 16), next(0, 9)};
        Blacken();
        sheet.Put(stage_, a);
        ASSERT_EQ(Pixels(), Expected([&](int x, int y) { return In(a, x, y); }))
            << a.x << "," << a.y << " " << a.w << "x" << a.h;
    }
}

// Every direction and length of move, and moves past the old place.
TEST_F(BackgroundSheetTest, PutsBackOnlyWhatTheNewPlaceLeaves) {
    BackgroundSheet sheet;
    ASSERT_TRUE(sheet.Make(tile_, 7, 4));
    for (int dy = -5; dy <= 5; ++dy)
        for (int dx = -8; dx <= 8; ++dx)
            for (const StageArea was :
                 {StageArea{10, 12, 7, 4}, StageArea{-3, -2, 7, 4}, StageArea{36, 27, 7, 4}}) {
                const StageArea now{was.x + dx, was.y + dy, was.w, was.h};
                Blacken();
                sheet.PutAround(stage_, was, now);
                ASSERT_EQ(Pixels(),
                          Expected([&](int x, int y) { return In(was, x, y) && !In(now, x, y); }))
                    << was.x << "," << was.y << " by " << dx << "," << dy;
            }
}

TEST_F(BackgroundSheetTest, AnEmptyTileMakesNoSheet) {
    cTile empty;
    BackgroundSheet sheet;
    EXPECT_FALSE(sheet.Make(empty, 7, 4));
    EXPECT_FALSE(sheet.Ready());
    ASSERT_TRUE(sheet.Make(tile_, 7, 4));
    EXPECT_TRUE(sheet.Ready());
    sheet.Clear();
    EXPECT_FALSE(sheet.Ready());
    Blacken();
    sheet.Put(stage_, {0, 0, kStageW, kStageH});
    EXPECT_EQ(Pixels(), std::vector<std::uint32_t>(kStageW * kStageH, 0));
}

}  // namespace
