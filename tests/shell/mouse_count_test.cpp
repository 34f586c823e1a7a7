#include "tests/support/fake_host_fixture.h"

namespace {

class MouseCountTest : public HostTest {
  protected:
    // One counted move at the given time of day; true if it ended the run.
    bool MoveAt(double seconds) {
        host.timeOfDay = seconds;
        return Ends([] { Module1::CountMouseMove(); });
    }
};

TEST_F(MouseCountTest, FiveMovesWithinTheWindowEndTheRunFourDoNot) {
    EXPECT_FALSE(MoveAt(100.2));
    EXPECT_EQ(Module1::MoveWindowStart, 100);
    EXPECT_FALSE(MoveAt(100.5));
    EXPECT_FALSE(MoveAt(101.0));
    EXPECT_FALSE(MoveAt(101.5));
    EXPECT_TRUE(MoveAt(101.9));
}

TEST_F(MouseCountTest, TheFifthMoveEndsTheRunWhenever) {
    for (double t : {200.0, 200.1, 200.2, 200.3}) EXPECT_FALSE(MoveAt(t));
    EXPECT_TRUE(MoveAt(210.0));
}

TEST_F(MouseCountTest, AMoveThatFindsTheWindowExpiredStartsAgainUncounted) {
    EXPECT_FALSE(MoveAt(300.4));  // window opens at 300
    EXPECT_FALSE(MoveAt(302.1));  // 2.1 s later: expired, count 0
    EXPECT_EQ(Module1::MoveCount, 0);
    EXPECT_EQ(Module1::MoveWindowStart, 0);
    for (double t : {303.0, 303.1, 303.2, 303.3}) EXPECT_FALSE(MoveAt(t));
    EXPECT_TRUE(MoveAt(303.4));
}

TEST_F(MouseCountTest, TheWindowStartIsAWholeSecondRoundedHalfToEven) {
    EXPECT_FALSE(MoveAt(100.5));
    EXPECT_EQ(Module1::MoveWindowStart, 100);
    Module1::MoveCount = 0;
    Module1::MoveWindowStart = 0;
    EXPECT_FALSE(MoveAt(101.5));
    EXPECT_EQ(Module1::MoveWindowStart, 102);
}

TEST_F(MouseCountTest, AfterAFailedCheckTheCountSticksAboveFive) {
    Module1::PlatformId = 1;
    Module1::UsePassword = 1;
    host.passwordAccepted = false;
    for (double t : {400.0, 400.1, 400.2, 400.3, 400.4}) EXPECT_FALSE(MoveAt(t));
    EXPECT_EQ(host.messages.size(), 0u);
    EXPECT_TRUE(host.HasCall("VerifyScreenSavePwd"));
    EXPECT_EQ(Module1::MoveCount, 5);
    host.passwordAccepted = true;
    EXPECT_FALSE(MoveAt(400.5));  // 6: ends nothing
    EXPECT_FALSE(MoveAt(400.6));
    EXPECT_EQ(Module1::MoveCount, 7);
    EXPECT_FALSE(MoveAt(403.0));  // finds the window expired
    EXPECT_EQ(Module1::MoveCount, 0);
    for (double t : {404.0, 404.1, 404.2, 404.3}) EXPECT_FALSE(MoveAt(t));
    EXPECT_TRUE(MoveAt(404.4));
}

TEST_F(MouseCountTest, AWindowOpenedBeforeMidnightStaysOpen) {
    EXPECT_FALSE(MoveAt(86399.0));
    for (double t : {0.1, 5.0, 10.0}) EXPECT_FALSE(MoveAt(t));
    EXPECT_TRUE(MoveAt(20.0));
}

}  // namespace
