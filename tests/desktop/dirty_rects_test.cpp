// The rectangles the saver window presents: overlapping ones merge when that
// sends no more pixels, apart ones stay apart, nothing drawn is ever left out.
#include "platform/desktop/linux/dirty_rects.h"

#include <gtest/gtest.h>

namespace {

using plat::DirtyRects;

bool Covers(const DirtyRects& d, int x, int y) {
    for (int i = 0; i < d.Count(); ++i)
        if (x >= d[i].x && x < d[i].x + d[i].w && y >= d[i].y && y < d[i].y + d[i].h) return true;
    return false;
}

TEST(DirtyRects, ASpriteOverItsOwnPlaceMergesAndFarOnesStayApart) {
    DirtyRects d;
    d.Add({100, 100, 40, 26});
    d.Add({104, 102, 40, 26});  // mostly the same pixels
    d.Add({500, 300, 40, 26});  // elsewhere
    d.Add({140, 126, 40, 26});  // touches a corner only: the union would be larger
    ASSERT_EQ(d.Count(), 3);
    EXPECT_EQ(d[0].x, 100);
    EXPECT_EQ(d[0].y, 100);
    EXPECT_EQ(d[0].w, 44);
    EXPECT_EQ(d[0].h, 28);
}

TEST(DirtyRects, AMergedRectangleJoinsTheOthersItNowOverlaps) {
    DirtyRects d;
    d.Add({0, 0, 10, 10});
    d.Add({20, 0, 10, 10});
    d.Add({0, 0, 30, 10});  // covers both: one rectangle is left
    ASSERT_EQ(d.Count(), 1);
    EXPECT_EQ(d[0].w, 30);
    EXPECT_EQ(d[0].h, 10);
}

TEST(DirtyRects, BeyondTheCapacityTheLastGrowsAndEveryPixelStaysCovered) {
    DirtyRects d;
    for (int i = 0; i < DirtyRects::kCapacity + 20; ++i) d.Add({i * 20, i % 7 * 30, 5, 5});
    EXPECT_EQ(d.Count(), DirtyRects::kCapacity);
    for (int i = 0; i < DirtyRects::kCapacity + 20; ++i)
        EXPECT_TRUE(Covers(d, i * 20 + 4, i % 7 * 30 + 4)) << i;
    d.Clear();
    EXPECT_EQ(d.Count(), 0);
}

}  // namespace
