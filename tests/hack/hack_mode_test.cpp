// The saver in a screen-saver daemon's window, on the headless backend:
// input changes nothing, nothing is counted or started, the background
// option, the failure path, and a window that changes size.
#include <sys/stat.h>

#include "platform/gdi.h"
#include "platform/gdi_probes.h"
#include "shell/startup.h"
#include "tests/support/saver_fixture.h"

namespace {

class HackTest : public SaverTest {
  protected:
    HackTest() {
        host.hackMode = true;
        host.command = "-root";
        SetIni("mode", "scMode", "0");
        SetIni("applic", "appcurrent", "3");
        SetIni("applic", "appalert", "3");
        SetIni("applic", "appdisplay", "1");  // Tellwell due at the end of a counted run
    }

    // Runs Main for `ms` of the fake clock.
    Outcome RunMain(std::uint32_t ms) {
        if (!screen) screen.emplace(host);
        host.stopAt = host.tick + ms;
        try {
            Module1::Main();
        } catch (const plat::StopRun&) {
            return Outcome::Stopped;
        } catch (const plat::ProgramEnded&) {
            return Outcome::Ended;
        }
        return Outcome::Stopped;
    }

    ino_t IniFile() {
        struct stat st {};
        ::stat(Module1::IniFilePath().c_str(), &st);
        return st.st_ino;
    }

    // Whether the window shows the logo's opaque pixels with its
    // bottom-right corner at (right, bottom).
    bool LogoAt(int right, int bottom) {
        plat::HBITMAP logo = plat::LoadImageA(0, Pictures() + "logo.bmp", 0, 0, 0, 0x10);
        plat::HDC dc = plat::CreateCompatibleDC(0);
        plat::HGDIOBJ old = plat::SelectObject(dc, logo);
        bool same = true;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 120; ++x) {
                std::uint32_t px = 0;
                plat::ReadPixel(dc, x, y, px);
                if (px != 0x00FF00 && screen->Pixel(right - 120 + x, bottom - 40 + y) != px)
                    same = false;
            }
        plat::SelectObject(dc, old);
        plat::DeleteDC(dc);
        plat::DeleteObject(logo);
        return same;
    }
};

TEST_F(HackTest, KeysClicksAndMovesChangeNothing) {
    std::string ini = folder.Read("corvane.ini");
    std::uint32_t t = host.tick + 100;
    host.PushKey(t);
    host.PushClick(t + 50);
    for (int i = 0; i < 12; ++i) host.PushMouseMove(1500 + 150 * i, 1500, t + 100 + 60 * i);
    EXPECT_EQ(RunMain(3000), Outcome::Stopped);
    EXPECT_EQ(Module1::Run, Module1::RunKind::DaemonWindow);
    EXPECT_FALSE(host.HasCall("End"));
    EXPECT_FALSE(screen->drawn.empty());
    EXPECT_EQ(Module1::MoveCount, 0);
    // Not the saver run of the switches: no previous-instance test, cursor,
    // taskbar or system state, no count and no Tellwell.
    EXPECT_FALSE(host.HasCall("PrevInstance"));
    EXPECT_FALSE(host.HasCall("FindWindowA"));
    EXPECT_FALSE(host.HasCall("SetWindowPos"));
    EXPECT_FALSE(host.HasCall("SystemParametersInfoA"));
    EXPECT_EQ(host.cursorCounter, 0);
    EXPECT_TRUE(host.started.empty());
    EXPECT_EQ(folder.Read("corvane.ini"), ini);
    EXPECT_TRUE(LogoAt(1024, 768));
}

TEST_F(HackTest, TheBackgroundOptionHoldsForThisRunAndLeavesTheSettingsFile) {
    std::string ini = folder.Read("corvane.ini");
    ino_t before = IniFile();
    host.command = "--root --desktop";
    EXPECT_EQ(RunMain(200), Outcome::Stopped);
    EXPECT_EQ(Module1::BackgroundMode, "1");
    EXPECT_EQ(folder.Read("vantrelsoftware/corvane/background.bmp").substr(0, 2), "BM");
    EXPECT_EQ(folder.Read("corvane.ini"), ini);
    EXPECT_EQ(IniFile(), before);  // not even rewritten with the same text
}

TEST_F(HackTest, TheLastBackgroundOptionWinsAndNoneLeavesTheSavedChoice) {
    SetIni("mode", "scMode", "1");
    std::string ini = folder.Read("corvane.ini");
    host.command = "-desktop -white -root";
    EXPECT_EQ(RunMain(200), Outcome::Stopped);
    EXPECT_EQ(Module1::BackgroundMode, "0");
    EXPECT_EQ(folder.Read("corvane.ini"), ini);
    Module1::ResetState();
    host.command = "-root";
    EXPECT_EQ(RunMain(200), Outcome::Stopped);
    EXPECT_EQ(Module1::BackgroundMode, "1");
}

TEST_F(HackTest, AFailureEndsTheRunUncountedWithTheMessageAndNoTellwell) {
    std::filesystem::remove(Pictures() + "flag_background.bmp");
    EXPECT_EQ(RunMain(1000), Outcome::Ended);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("One or more files are missing"), std::string::npos);
    EXPECT_TRUE(screen->closed);
    EXPECT_TRUE(host.started.empty());
    EXPECT_EQ(Ini("applic", "appcurrent"), "3");
    EXPECT_EQ(Ini("applic", "appdisplay"), "1");
    EXPECT_EQ(host.cursorCounter, 0);
}

TEST_F(HackTest, ANewWindowSizeSetsTheRunUpAgainAtThatSize) {
    Module1::Run = Module1::RunKind::DaemonWindow;
    screen.emplace(host);
    bool resized = false;
    host.onPump = [&] {
        if (!resized && host.tick >= 1500) {
            resized = true;
            screen->Resize(640, 480);
        }
    };
    EXPECT_EQ(Run(2000), Outcome::Stopped);
    ASSERT_TRUE(resized);
    EXPECT_EQ(form.BackBuffer().Width(), 640);
    EXPECT_EQ(form.BackBuffer().Height(), 480);
    EXPECT_EQ(form.Logo().X(), 640 - 120);
    EXPECT_EQ(form.Logo().Y(), 480 - 40);
    EXPECT_TRUE(LogoAt(640, 480));
    for (int i = 1; i <= Form1::kFlagCount; ++i) {
        // Launched anew inside the new size (and moved a few steps since).
        EXPECT_LE(form.Flag(i).X(), 640 + form.Flag(i).Width() + 8 * 10) << i;
        EXPECT_LE(form.Flag(i).Y(), 480 + form.Flag(i).Height() + 8 * 10) << i;
    }
    // The whole new background went to the window (black before).
    EXPECT_NE(screen->Pixel(0, 0) | screen->Pixel(639, 0) | screen->Pixel(0, 479), 0u);
}

TEST_F(HackTest, SwitchesStillDispatchWithoutADaemonWindow) {
    host.hackMode = false;
    host.command = "/S";
    host.otherInstance = true;
    EXPECT_EQ(RunMain(200), Outcome::Ended);
    EXPECT_TRUE(host.HasCall("PrevInstance"));
    EXPECT_TRUE(Module1::UserRun());
}

}  // namespace
