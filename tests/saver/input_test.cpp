// Input during a run: what ends it, what is counted, the password check.
#include "tests/support/saver_fixture.h"

namespace {

class InputTest : public SaverTest {};

TEST_F(InputTest, AKeyEndsTheRunAndCountsIt) {
    SetIni("applic", "appdisplay", "1");
    SetIni("applic", "appcurrent", "0");
    SetIni("applic", "appalert", "3");
    host.cursorCounter = 0;
    host.PushKey(host.tick + 120);
    EXPECT_EQ(Run(5000), Outcome::Ended);
    EXPECT_TRUE(screen->closed);
    EXPECT_EQ(Ini("applic", "appcurrent"), "1");
    EXPECT_GE(host.cursorCounter, 6);
    EXPECT_TRUE(host.started.empty());
}

TEST_F(InputTest, AClickEndsTheRunAndStartsTellwellWhenDue) {
    SetIni("applic", "appdisplay", "1");
    SetIni("applic", "appcurrent", "3");
    SetIni("applic", "appalert", "3");
    host.PushClick(host.tick + 120);
    EXPECT_EQ(Run(5000), Outcome::Ended);
    ASSERT_EQ(host.started.size(), 1u);
    EXPECT_EQ(Ini("applic", "appdisplay"), "0");
}

TEST_F(InputTest, FourSignificantMovesAfterTheFirstDoNotEndTheRun) {
    std::uint32_t t = host.tick + 100;
    host.PushMouseMove(1500, 1500, t);  // the first move is only recorded
    for (int i = 1; i <= 4; ++i) host.PushMouseMove(1500 + 15 * i, 1500, t + 100 * i);
    EXPECT_EQ(Run(3000), Outcome::Stopped);
    EXPECT_EQ(Module1::MoveCount, 4);
}

TEST_F(InputTest, FiveSignificantMovesEndTheRun) {
    std::uint32_t t = host.tick + 100;
    host.PushMouseMove(1500, 1500, t);
    for (int i = 1; i <= 5; ++i) host.PushMouseMove(1500 + 15 * i, 1500, t + 100 * i);
    EXPECT_EQ(Run(3000), Outcome::Ended);
}

TEST_F(InputTest, TinyMovesAndMovesFromTheEdgeAreNotCounted) {
    std::uint32_t t = host.tick + 100;
    host.PushMouseMove(1500, 1500, t);
    for (int i = 1; i <= 10; ++i)  // 3 twips or less: never counted
        host.PushMouseMove(1500 + (i % 2) * 3, 1500 - (i % 2) * 3, t + 10 * i);
    host.PushMouseMove(0, 900, t + 200);  // records x = 0
    for (int i = 1; i <= 3; ++i) host.PushMouseMove(15 * i, 900, t + 200 + 10 * i);
    EXPECT_EQ(Run(2000), Outcome::Stopped);
    // Counted: the move to the edge, then the moves after the one that left
    // it (that one starts from x = 0).
    EXPECT_EQ(Module1::MoveCount, 3);
}

TEST_F(InputTest, AWrongPasswordKeepsTheRunGoing) {
    Module1::PlatformId = 1;
    Module1::UsePassword = 1;
    host.passwordAccepted = false;
    host.PushKey(host.tick + 120);
    EXPECT_EQ(Run(1000), Outcome::Stopped);
    EXPECT_TRUE(host.HasCall("VerifyScreenSavePwd 196611"));
    EXPECT_FALSE(screen->closed);
    EXPECT_EQ(screen->showCount, 2);  // shown again after the check
    EXPECT_LT(host.cursorCounter, -5);
    EXPECT_FALSE(host.HasCall("End"));
}

TEST_F(InputTest, ARightPasswordEndsTheRunAndRestoresTheSystem) {
    Module1::PlatformId = 1;
    Module1::UsePassword = 1;
    host.PushKey(host.tick + 120);
    EXPECT_EQ(Run(1000), Outcome::Ended);
    EXPECT_TRUE(host.HasCall("SystemParametersInfoA 97 0 0"));
    EXPECT_TRUE(host.HasCall("SetWindowPos 196611 -2 0 3"));
}

}  // namespace
