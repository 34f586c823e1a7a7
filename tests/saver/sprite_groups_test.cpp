// Which sprites of a frame share pixels of the stage.
#include "saver/sprite_groups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Groups of sprites given as {where drawn, where going} pairs on a 100x100
// stage, as each sprite's first member.
std::vector<int> GroupsOf(const std::vector<StageArea>& places) {
    SpriteGroups groups;
    groups.Build(places.data(), static_cast<int>(places.size() / 2), 100, 100);
    std::vector<int> first;
    for (int i = 0; i < groups.Count(); ++i) first.push_back(groups.First(i));
    // Each sprite's group size counts the sprites sharing its first.
    for (int i = 0; i < groups.Count(); ++i)
        EXPECT_EQ(groups.Size(i), std::count(first.begin(), first.end(), first[i])) << i;
    return first;
}

TEST(SpriteGroups, SpritesMeetThroughEitherPlaceAndGroupsChain) {
    EXPECT_EQ(GroupsOf({{0, 0, 10, 10},
                        {2, 2, 10, 10},  // 0
                        {50, 50, 10, 10},
                        {52, 52, 10, 10}}),  // 1: far from 0
              (std::vector<int>{0, 1}));
    // 2 goes where 0 was; 1 was where 2 goes; 3 only touches 1's new place:
    // one group, led by the lowest index.
    EXPECT_EQ(GroupsOf({{0, 0, 10, 10},
                        {30, 0, 10, 10},
                        {12, 12, 5, 5},
                        {5, 30, 10, 10},
                        {80, 80, 5, 5},
                        {5, 5, 10, 10},
                        {14, 39, 5, 5},
                        {90, 90, 5, 5}}),
              (std::vector<int>{0, 0, 0, 0}));
    // Edges that only touch share no pixel.
    EXPECT_EQ(GroupsOf({{0, 0, 10, 10}, {0, 0, 10, 10}, {10, 0, 10, 10}, {10, 0, 10, 10}}),
              (std::vector<int>{0, 1}));
}

TEST(SpriteGroups, OnlyPixelsOfTheStageCount) {
    // Both beyond the right edge, overlapping there; both over the top edge.
    EXPECT_EQ(GroupsOf({{95, 0, 10, 10},
                        {120, 0, 10, 10},
                        {110, 0, 10, 10},
                        {100, 5, 10, 10},
                        {0, -20, 10, 10},
                        {0, -15, 10, 10}}),
              (std::vector<int>{0, 1, 2}));
    // An empty place (a sprite never drawn) meets nothing, and a wrapped
    // sprite's two far places do not join what lies between them.
    EXPECT_EQ(GroupsOf({{0, 0, 0, 10},
                        {0, 0, 10, 10},
                        {5, 5, 10, 10},
                        {90, 5, 10, 10},
                        {40, 0, 10, 20},
                        {40, 0, 10, 20}}),
              (std::vector<int>{0, 0, 2}));
}

TEST(SpriteGroups, PlacesFarOffTheIntegerRangeDoNotOverflow) {
    const std::int32_t big = 2147483600;
    EXPECT_EQ(GroupsOf({{big, big, 1000, 1000},
                        {-big, -big, 1000, 1000},
                        {big, 0, 1000, 1000},
                        {0, big, 1000, 1000}}),
              (std::vector<int>{0, 1}));
}

}  // namespace
