// The command-line switch chooses the mode.
#include "shell/startup.h"
#include "tests/support/saver_fixture.h"

namespace {

class DispatchTest : public SaverTest {
  protected:
    // Runs Main with the argument text; says how it ended.
    Outcome Main(const std::string& command) {
        host.command = command;
        screen.emplace(host);
        host.stopAt = host.tick + 100;
        try {
            Module1::Main();
        } catch (const plat::StopRun&) {
            return Outcome::Stopped;  // a saver run was going
        } catch (const plat::ProgramEnded&) {
            return Outcome::Ended;
        }
        return Outcome::Stopped;
    }
};

TEST_F(DispatchTest, SaverSwitchesAndOthersRunTheSaver) {
    for (const char* command : {"/s", "/S", "  /s  ", "", "/x", "-s", "/S 123"}) {
        SCOPED_TRACE(command);
        host.calls.clear();
        Module1::ActiveSaver = nullptr;
        EXPECT_EQ(Main(command), Outcome::Stopped);
        EXPECT_TRUE(host.HasCall("PrevInstance"));
        EXPECT_EQ(screen->showCount, 1);
    }
}

TEST_F(DispatchTest, ASecondSaverEndsAtOnceWithoutTouchingTheCursor) {
    host.otherInstance = true;
    EXPECT_EQ(Main("/s"), Outcome::Ended);
    EXPECT_EQ(host.cursorCounter, 0);
    EXPECT_EQ(screen->showCount, 0);
}

TEST_F(DispatchTest, PasswordChangeGetsTheParentWindow) {
    EXPECT_EQ(Main("/a 918"), Outcome::Stopped);  // returns: nothing else runs
    EXPECT_TRUE(host.HasCall("PwdChangePasswordA SCRSAVE 918 0 0"));
    EXPECT_FALSE(host.HasCall("PrevInstance"));
    host.calls.clear();
    EXPECT_EQ(Main("/A"), Outcome::Stopped);  // no window number: nothing to do
    EXPECT_FALSE(host.HasCall("PwdChangePasswordA"));
    EXPECT_EQ(screen->showCount, 0);
}

TEST_F(DispatchTest, OtherModesMakeNoInstanceTest) {
    host.otherInstance = true;
    EXPECT_EQ(Main("/p 1"), Outcome::Ended);
    EXPECT_EQ(Main("/c:918"), Outcome::Stopped);
    EXPECT_FALSE(host.HasCall("PrevInstance"));
}

}  // namespace
