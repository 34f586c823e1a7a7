// Which window a daemon names: -window-id, XSCREENSAVER_WINDOW, -root.
#include "platform/desktop/linux/hack_target.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

plat::HackTarget Find(std::vector<const char*> args, const char* env = nullptr) {
    args.insert(args.begin(), "Corvane");
    return plat::FindHackTarget(static_cast<int>(args.size()), args.data(), env);
}

TEST(HackTarget, WindowIdInDecimalOrHexWinsOverEverything) {
    auto t = Find({"-window-id", "1234"}, "0x99");
    EXPECT_TRUE(t.given);
    EXPECT_FALSE(t.root);
    EXPECT_EQ(t.window, 1234u);
    EXPECT_EQ(Find({"-window-id", "0X1F"}).window, 0x1Fu);
}

// xscreensaver-settings starts its preview as "-root --window-id ID" with
// XSCREENSAVER_WINDOW set to the same window: the preview window, never the
// root behind every window.
TEST(HackTarget, ANamedWindowWinsOverRootInEitherOrderAndSpelling) {
    for (auto args : std::vector<std::vector<const char*>>{{"-root", "-window-id", "0x2a0001"},
                                                           {"--root", "--window-id", "0x2a0001"},
                                                           {"-window-id", "0x2a0001", "-root"},
                                                           {"--window-id", "0x2a0001", "--root"}}) {
        for (const char* env : {static_cast<const char*>(nullptr), "0x2a0001"}) {
            auto t = Find(args, env);
            EXPECT_TRUE(t.given) << args[0] << " " << args[1];
            EXPECT_FALSE(t.root) << args[0] << " " << args[1];
            EXPECT_EQ(t.window, 0x2a0001u) << args[0] << " " << args[1];
        }
    }
}

TEST(HackTarget, TwoDashSpellingsAreTheSameOptions) {
    auto t = Find({"--window-id", "0x2a0001"});
    EXPECT_TRUE(t.given);
    EXPECT_EQ(t.window, 0x2a0001u);
    EXPECT_TRUE(Find({"--root"}).root);
    EXPECT_EQ(Find({"--root"}, "4242").window, 4242u);
    EXPECT_FALSE(Find({"---root"}).given);
    EXPECT_FALSE(Find({"--"}).given);
}

TEST(HackTarget, BadWindowIdsStillMeanHackModeButNoWindow) {
    for (auto* bad : {"abc", "12x", "-5", "", "0x", "99999999999"}) {
        auto t = Find({"-window-id", bad});
        EXPECT_TRUE(t.given) << bad;
        EXPECT_EQ(t.window, 0u) << bad;
        EXPECT_FALSE(t.root) << bad;
    }
    EXPECT_TRUE(Find({"-window-id"}).given);
}

TEST(HackTarget, TheEnvironmentsWindowComesBeforeRoot) {
    auto t = Find({"-root"}, "4242");
    EXPECT_TRUE(t.given);
    EXPECT_FALSE(t.root);
    EXPECT_EQ(t.window, 4242u);
    EXPECT_EQ(Find({}, "0x10").window, 0x10u);
    EXPECT_EQ(Find({"-desktop"}, "0x10").window, 0x10u);
}

TEST(HackTarget, RootAloneMeansTheRootWindow) {
    auto t = Find({"-root"});
    EXPECT_TRUE(t.given);
    EXPECT_TRUE(t.root);
    EXPECT_TRUE(Find({"-root"}, "garbage").root);
}

TEST(HackTarget, OurSwitchesIgnoreTheEnvironmentAndNothingElseIsHackMode) {
    EXPECT_FALSE(Find({"/S"}, "0x10").given);
    EXPECT_FALSE(Find({"/c:918"}, "0x10").given);
    EXPECT_FALSE(Find({}).given);
    EXPECT_FALSE(Find({"/S"}).given);
    EXPECT_FALSE(Find({"-window"}).given);
    EXPECT_FALSE(Find({"/p", "918"}).given);
}

}  // namespace
