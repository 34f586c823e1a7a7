// The frame loop: moves, wraps, the logo, what reaches the window, pacing.
#include "platform/gdi.h"
#include "platform/gdi_probes.h"
#include "tests/support/saver_fixture.h"

namespace {

class AnimationTest : public SaverTest {
  protected:
    // Launch values for sprite 1 (up-left small, 40 wide) and sprite 9
    // (down-right small) so that their positions and steps are known; the
    // rest start in the middle.
    void KnownSmallFlags(double x1, double x9) {
        LaunchValues(0.375, 0.0, x1 / 1024.0, 0.5);  // XDir -3, YDir 0
        DefaultLaunches(7);
        LaunchValues(0.375, 0.0, x9 / 1024.0, 0.5);  // XDir 3, YDir 0
        DefaultLaunches(23);
    }
};

TEST_F(AnimationTest, FlagsMoveByTheirStepsEachFrame) {
    DefaultLaunches(Form1::kFlagCount);
    ASSERT_EQ(Run(5 * 50 - 1), Outcome::Stopped);  // five frames
    EXPECT_EQ(form.Flag(1).X(), 512 - 4 * 5);
    EXPECT_EQ(form.Flag(1).Y(), 384 - 4 * 5);
    EXPECT_EQ(form.Flag(9).X(), 512 + 4 * 5);
    EXPECT_EQ(form.Flag(32).Y(), 384 + 4 * 5);
}

TEST_F(AnimationTest, LeftwardFlagsWrapOneWidthBeyondTheRightEdge) {
    KnownSmallFlags(2, 0);
    // 2, -1, ..., -40 after 14 frames: not yet wrapped.
    ASSERT_EQ(Run(14 * 50 - 1), Outcome::Stopped);
    EXPECT_EQ(form.Flag(1).X(), -40);
}

TEST_F(AnimationTest, LeftwardFlagsWrapOnceBeyondTheirWidth) {
    KnownSmallFlags(2, 0);
    ASSERT_EQ(Run(15 * 50 - 1), Outcome::Stopped);
    EXPECT_EQ(form.Flag(1).X(), 1024 + 40);
}

TEST_F(AnimationTest, RightwardFlagsWrapJustOutsideTheLeftEdge) {
    KnownSmallFlags(512, 1023);  // 1023 -> 1026: wrapped at once
    ASSERT_EQ(Run(50 - 1), Outcome::Stopped);
    EXPECT_EQ(form.Flag(9).X(), -40);
}

TEST_F(AnimationTest, RightwardFlagsAtTheEdgeExactlyAreNotWrapped) {
    KnownSmallFlags(512, 1021);  // 1021 -> 1024
    ASSERT_EQ(Run(50 - 1), Outcome::Stopped);
    EXPECT_EQ(form.Flag(9).X(), 1024);
    EXPECT_EQ(form.Flag(9).Y(), 384);  // a step of 0 never moves or wraps
}

TEST_F(AnimationTest, TheLogoStaysInTheCornerOverTheFlags) {
    // Every flag starts at the logo's corner.
    for (int i = 0; i < Form1::kFlagCount; ++i) LaunchValues(0.5, 0.5, 0.95, 0.97);
    ASSERT_EQ(Run(10 * 50 - 1), Outcome::Stopped);
    EXPECT_EQ(form.Logo().X(), 1024 - form.Logo().Width());
    EXPECT_EQ(form.Logo().Y(), 768 - form.Logo().Height());
    // The window shows the logo's own pixels wherever the logo is opaque.
    plat::HBITMAP logo = plat::LoadImageA(0, Pictures() + "logo.bmp", 0, 0, 0, 0x10);
    plat::HDC dc = plat::CreateCompatibleDC(0);
    plat::HGDIOBJ old = plat::SelectObject(dc, logo);
    int compared = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            std::uint32_t px = 0;
            plat::ReadPixel(dc, x, y, px);
            if (px == 0x00FF00) continue;
            ASSERT_EQ(screen->Pixel(904 + x, 728 + y), px) << x << "," << y;
            ++compared;
        }
    EXPECT_GT(compared, 1000);
    plat::SelectObject(dc, old);
    plat::DeleteDC(dc);
    plat::DeleteObject(logo);
}

TEST_F(AnimationTest, OnlyTheSpritesAreasReachTheWindowAfterTheFirstCopy) {
    DefaultLaunches(Form1::kFlagCount);
    ASSERT_EQ(Run(20 * 50 - 1), Outcome::Stopped);
    ASSERT_FALSE(screen->drawn.empty());
    EXPECT_EQ(screen->drawn[0].w, 1024);
    EXPECT_EQ(screen->drawn[0].h, 768);
    for (std::size_t i = 1; i < screen->drawn.size(); ++i) {
        // The largest flag (160x106) plus one step of at most 8 each way.
        EXPECT_LE(screen->drawn[i].w, 168) << i;
        EXPECT_LE(screen->drawn[i].h, 114) << i;
    }
    // At most two copies per sprite per frame.
    EXPECT_LE(screen->drawn.size(), 1u + 20u * 33u * 2u);
}

TEST_F(AnimationTest, FramesStartFiftyMillisecondsApart) {
    std::vector<std::uint32_t> ticks;  // read from the logo's copy to the window
    screen.emplace(host);
    screen->onDrawn = [&](const plat::Rect& r) {
        if (r.x == 904 && r.y == 728 && r.w == 120) ticks.push_back(host.tick);
    };
    ASSERT_EQ(Run(10 * 50 - 1), Outcome::Stopped);
    ASSERT_EQ(ticks.size(), 10u);
    for (std::size_t i = 1; i < ticks.size(); ++i) EXPECT_EQ(ticks[i] - ticks[i - 1], 50u);
}

TEST_F(AnimationTest, ASlowFrameIsFollowedAtOnce) {
    std::vector<std::uint32_t> ticks;
    screen.emplace(host);
    screen->onDrawn = [&](const plat::Rect& r) {
        if (r.x == 904 && r.y == 728 && r.w == 120) ticks.push_back(host.tick);
    };
    // Every pump right after a frame's drawing costs 70 ms.
    host.onPump = [&] {
        if (!ticks.empty() && ticks.back() == host.tick) host.Advance(70);
    };
    ASSERT_EQ(Run(1000), Outcome::Stopped);
    ASSERT_GE(ticks.size(), 3u);
    for (std::size_t i = 2; i < ticks.size(); ++i) EXPECT_EQ(ticks[i] - ticks[i - 1], 70u);
    EXPECT_EQ(host.waitedMs, 0u);
}

TEST_F(AnimationTest, AnIdleRunSleepsMostOfEachFrame) {
    ASSERT_EQ(Run(2000), Outcome::Stopped);
    EXPECT_GE(host.waitedMs, 1990u);  // the fake clock moves only while waiting
    EXPECT_LE(host.pumps, 3 * 41);    // a few pumps a frame, never a spin
}

}  // namespace
