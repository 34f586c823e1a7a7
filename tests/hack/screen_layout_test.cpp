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

}  // namespace
