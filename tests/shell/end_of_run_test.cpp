#include <filesystem>

#include "tests/support/fake_host_fixture.h"

namespace {

struct FakeSaverForm : Module1::SaverForm {
    int shown = 0, unloaded = 0;
    plat::HWND hWnd() override { return 0x1234; }
    void Show() override { ++shown; }
    void Unload() override { ++unloaded; }
};

class EndSaverTest : public HostTest {
  protected:
    EndSaverTest() { Module1::ActiveSaver = &form; }
    void PendingForm(const std::string& current, const std::string& alert) {
        SetIni("applic", "appdisplay", "1");
        SetIni("applic", "appcurrent", current);
        SetIni("applic", "appalert", alert);
    }
    FakeSaverForm form;
};

TEST_F(EndSaverTest, OnTheNtFamilyNoPasswordIsAskedAndTheTaskbarComesBack) {
    Module1::UsePassword = 1;
    host.cursorCounter = -7;
    EXPECT_TRUE(Ends([] { Module1::EndSaver(); }));
    EXPECT_FALSE(host.HasCall("VerifyScreenSavePwd"));
    EXPECT_FALSE(host.HasCall("SystemParametersInfoA"));
    EXPECT_FALSE(host.HasCall("SetWindowPos 4660"));  // the saver window
    EXPECT_TRUE(host.HasCall("FindWindowA Shell_traywnd []"));
    EXPECT_TRUE(host.HasCall("SetWindowPos 8738 0 0 64"));  // taskbar, SWP_SHOWWINDOW only
    EXPECT_GE(host.cursorCounter, 6);
    EXPECT_EQ(form.unloaded, 1);
}

TEST_F(EndSaverTest, AFailedPasswordCheckKeepsTheRunGoing) {
    Module1::PlatformId = 1;
    Module1::UsePassword = 1;
    host.passwordAccepted = false;
    PendingForm("0", "3");
    EXPECT_FALSE(Ends([] { Module1::EndSaver(); }));
    EXPECT_TRUE(host.HasCall("VerifyScreenSavePwd 4660"));
    EXPECT_LT(host.cursorCounter, -5);
    EXPECT_EQ(form.shown, 1);
    EXPECT_EQ(form.unloaded, 0);
    EXPECT_FALSE(host.HasCall("FindWindowA"));
    EXPECT_EQ(Ini("applic", "appcurrent"), "0");  // not counted
}

TEST_F(EndSaverTest, APassedCheckRestoresTheSystemThenEnds) {
    Module1::PlatformId = 1;
    Module1::UsePassword = 1;
    EXPECT_TRUE(Ends([] { Module1::EndSaver(); }));
    EXPECT_TRUE(host.HasCall("SystemParametersInfoA 97 0 0"));
    EXPECT_TRUE(host.HasCall("SetWindowPos 4660 -2 0 3"));
    EXPECT_GE(host.cursorCounter, 6);
}

TEST_F(EndSaverTest, StartsTellwellOnceWhenDueAndOnLine) {
    PendingForm("3", "3");
    EXPECT_TRUE(Ends([] { Module1::EndSaver(); }));
    ASSERT_EQ(host.started.size(), 1u);
    EXPECT_EQ(host.started[0], folder / "Tellwell");
    EXPECT_EQ(Ini("applic", "appdisplay"), "0");
    host.started.clear();
    EXPECT_TRUE(Ends([] { Module1::EndSaver(); }));
    EXPECT_TRUE(host.started.empty());
}

TEST_F(EndSaverTest, OffLineTheFormStaysDueAndNothingIsWritten) {
    PendingForm("3", "3");
    host.online = false;
    std::string before = folder.Read("corvane.ini");
    EXPECT_TRUE(Ends([] { Module1::EndSaver(); }));
    EXPECT_FALSE(host.HasCall("StartProgram"));
    EXPECT_EQ(folder.Read("corvane.ini"), before);
}

TEST_F(EndSaverTest, AFailedStartIsNotRetried) {
    PendingForm("3", "3");
    host.startSucceeds = false;
    EXPECT_TRUE(Ends([] { Module1::EndSaver(); }));
    EXPECT_TRUE(host.HasCall("StartProgram"));
    EXPECT_EQ(Ini("applic", "appdisplay"), "0");
}

TEST_F(EndSaverTest, BelowTheThresholdTheRunIsCountedOnly) {
    PendingForm("1", "3");
    EXPECT_TRUE(Ends([] { Module1::EndSaver(); }));
    EXPECT_FALSE(host.HasCall("InternetGetConnectedState"));
    EXPECT_EQ(Ini("applic", "appcurrent"), "2");
}

TEST_F(EndSaverTest, TheFatalMessageWarnsThenEndsTheRun) {
    EXPECT_TRUE(Ends([] { Module1::ShowFatalMessage(Module1::MissingFilesMessage()); }));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0],
              "Corvane Screen Saver|One or more files are missing from application. Please "
              "download and re-install the software from http://www.vantrelsoftware.com");
    EXPECT_TRUE(host.HasCall("MsgBox warning"));
    EXPECT_EQ(host.calls.front(), "SetWindowPos 4660 -2 0 3");
    EXPECT_EQ(form.unloaded, 1);
}

TEST_F(EndSaverTest, WaitUntilTickSleepsInsteadOfSpinning) {
    std::int32_t target = static_cast<std::int32_t>(host.tick + 50);
    Module1::WaitUntilTick(target);
    EXPECT_EQ(host.tick, static_cast<std::uint32_t>(target));
    EXPECT_EQ(host.pumps, 2);
    EXPECT_EQ(host.waitedMs, 50u);
    // A target already passed still pumps once.
    host.pumps = 0;
    target = static_cast<std::int32_t>(host.tick - 10);
    Module1::WaitUntilTick(target);
    EXPECT_EQ(host.pumps, 1);
}

TEST_F(EndSaverTest, WaitUntilTickWorksAcrossTheTickWrap) {
    host.tick = 0xFFFFFFF0u;
    auto target = static_cast<std::int32_t>(host.tick + 50u);  // wraps to 0x22
    Module1::WaitUntilTick(target);
    EXPECT_EQ(host.tick, 0x22u);
    host.tick = 0x7FFFFFF0u;  // signed overflow of the target
    target = static_cast<std::int32_t>(host.tick + 50u);
    Module1::WaitUntilTick(target);
    EXPECT_EQ(host.tick, 0x80000022u);
}

TEST_F(EndSaverTest, InputDuringTheWaitIsHandledAtOnce) {
    struct Events : plat::SaverEvents {
        int keys = 0;
        void Form_KeyDown(std::int16_t, std::int16_t) override { ++keys; }
        void Form_MouseDown(std::int16_t, std::int16_t, float, float) override {}
        void Form_MouseMove(std::int16_t, std::int16_t, float, float) override {}
    } events;
    host.events = &events;
    host.PushKey(host.tick + 20);
    std::int32_t target = static_cast<std::int32_t>(host.tick + 50);
    std::uint32_t start = host.tick;
    host.onPump = [&] {
        if (events.keys == 0) {
            EXPECT_LE(host.tick - start, 20u);
        }
    };
    Module1::WaitUntilTick(target);
    EXPECT_EQ(events.keys, 1);
    EXPECT_EQ(host.tick - start, 50u);
    host.events = nullptr;
}

}  // namespace
