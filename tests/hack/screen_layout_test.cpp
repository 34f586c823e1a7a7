// Where the saver's window goes for a given X screen and monitor list: the
// whole screen from its origin, and the window manager's full-screen state
// only where one monitor is the whole screen.
#include "platform/desktop/linux/screen_layout.h"

#include <gtest/gtest.h>

namespace {

using plat::MonitorRect;

TEST(ScreenLayout, OneMonitorOrNoneIsFullScreen) {
    auto p = plat::PlaceSaverWindow(1920, 1080, {});
    EXPECT_EQ(p.width, 1920);
    EXPECT_EQ(p.height, 1080);
    EXPECT_TRUE(p.fullScreenState);
    EXPECT_TRUE(plat::PlaceSaverWindow(1920, 1080, {{0, 0, 1920, 1080}}).fullScreenState);
}

TEST(ScreenLayout, SeveralMonitorsGetTheWholeScreenWithoutFullScreenState) {
    // Side by side, as RandR lists them beside the output's own monitor.
    std::vector<MonitorRect> sideBySide{{0, 0, 1920, 1080}, {1920, 0, 1920, 1080}};
    auto p = plat::PlaceSaverWindow(3840, 1080, sideBySide);
    EXPECT_EQ(p.width, 3840);
    EXPECT_EQ(p.height, 1080);
    EXPECT_FALSE(p.fullScreenState);
    sideBySide.push_back({0, 0, 3840, 1080});
    EXPECT_FALSE(plat::PlaceSaverWindow(3840, 1080, sideBySide).fullScreenState);
    // Of different heights, one above the other: the bounding box.
    p = plat::PlaceSaverWindow(2560, 2520, {{0, 0, 2560, 1440}, {320, 1440, 1920, 1080}});
    EXPECT_EQ(p.width, 2560);
    EXPECT_EQ(p.height, 2520);
    EXPECT_FALSE(p.fullScreenState);
}

TEST(ScreenLayout, OneMonitorSmallerThanTheScreenLeavesNothingUncovered) {
    auto p = plat::PlaceSaverWindow(3840, 1080, {{1920, 0, 1920, 1080}});
    EXPECT_EQ(p.width, 3840);
    EXPECT_FALSE(p.fullScreenState);
    // A monitor reaching past the reported screen still gets covered.
    p = plat::PlaceSaverWindow(1920, 1080, {{0, 0, 2560, 1440}});
    EXPECT_EQ(p.width, 2560);
    EXPECT_EQ(p.height, 1440);
    EXPECT_TRUE(p.fullScreenState);
}

// A compositor's outputs may lie left of or above its origin, with gaps:
// the saver's screen is their bounding box, each output at its place in it.
TEST(ScreenLayout, OutputsAnywhereMakeTheirBoundingBox) {
    auto b = plat::BoundingBoxOf({{0, 0, 1280, 720}, {-800, -100, 800, 600}});
    EXPECT_EQ(b.width, 2080);
    EXPECT_EQ(b.height, 820);
    EXPECT_EQ(b.originX, -800);
    EXPECT_EQ(b.originY, -100);
    ASSERT_EQ(b.monitors.size(), 2u);
    EXPECT_EQ(b.monitors[0].x, 800);
    EXPECT_EQ(b.monitors[0].y, 100);
    EXPECT_EQ(b.monitors[1].x, 0);
    EXPECT_EQ(b.monitors[1].y, 0);
    // Apart, with a gap between them: the gap is in the box (nobody sees it).
    b = plat::BoundingBoxOf({{100, 50, 640, 480}, {1000, 50, 640, 480}});
    EXPECT_EQ(b.width, 1540);
    EXPECT_EQ(b.height, 480);
    EXPECT_EQ(b.monitors[1].x, 900);
    EXPECT_EQ(plat::BoundingBoxOf({}).width, 0);
}

}  // namespace
