// Setting a run up: background choice, missing pictures, system state.
#include <filesystem>

#include "platform/gdi.h"
#include "platform/gdi_probes.h"
#include "tests/support/saver_fixture.h"

namespace {

namespace fs = std::filesystem;

TEST_F(SaverTest, WhiteModeTilesTheBackgroundAndStartsAllFlags) {
    ASSERT_EQ(Run(1), Outcome::Stopped);
    EXPECT_TRUE(screen->shown);
    int small = 0, big = 0;
    for (int i = 1; i <= Form1::kFlagCount; ++i) {
        const cSprite& f = form.Flag(i);
        EXPECT_TRUE(f.Active());
        EXPECT_FALSE(f.XDir() == 0 && f.YDir() == 0);
        small += f.Width() == form.Flag(1).Width();
        big += f.Width() == form.Flag(32).Width();
    }
    EXPECT_EQ(small, 16);
    EXPECT_EQ(big, 4);
    EXPECT_FALSE(fs::exists(Pictures() + "background.bmp"));
    // The taskbar is hidden on every system.
    EXPECT_TRUE(host.HasCall("SetWindowPos 8738 0 0 128"));
    EXPECT_FALSE(host.HasCall("SystemParametersInfoA"));
}

TEST_F(SaverTest, StepsAreDrawnAgainWhileBothAreZeroAndReachTheFarEdges) {
    // First sprite (up-left): both steps 0 twice, then -8 and 0; its
    // position at the far corner (1.0 is out of range for Rnd, 0.9999 rounds
    // to the edge).
    for (double v : {0.0, 0.0, 0.01, 0.05, 1.0, 0.0, 0.99999, 0.99999}) host.rndValues.push_back(v);
    ASSERT_EQ(Run(0), Outcome::Stopped);
    EXPECT_EQ(form.Flag(1).XDir(), -8);
    EXPECT_EQ(form.Flag(1).YDir(), 0);
    // Started at (1024, 768), the far corner, then one step.
    EXPECT_EQ(form.Flag(1).X(), 1016);
    EXPECT_EQ(form.Flag(1).Y(), 768);
}

TEST_F(SaverTest, DesktopModeSavesTheCaptureAndUsesIt) {
    SetIni("mode", "scMode", "1");
    fs::remove(Pictures() + "flag_background.bmp");  // not needed in this mode
    screen.emplace(host);
    screen->desktop.resize(1024 * 768);
    for (std::size_t i = 0; i < screen->desktop.size(); ++i)
        screen->desktop[i] = static_cast<std::uint32_t>((i % 1024) * 0x010203 / 4) & 0xFFFFFF;
    DefaultLaunches(Form1::kFlagCount);
    const int before = plat::LiveObjects();
    int during = 0;
    host.onPump = [&] { during = plat::LiveObjects() - before; };
    ASSERT_EQ(Run(100), Outcome::Stopped);
    EXPECT_TRUE(host.messages.empty());
    // While the frames run only the run's own surfaces are alive (each a DC
    // and a bitmap): three for each of the 5 sheets, a background store for
    // each of the 33 sprites, the working bitmap; and the window's DC. The
    // capture, the picture read back and the tile are gone.
    EXPECT_EQ(during, 2 * (5 * 3 + 33 + 1) + 1);
    ASSERT_TRUE(fs::exists(Pictures() + "background.bmp"));
    plat::HBITMAP saved = plat::LoadImageA(0, Pictures() + "background.bmp", 0, 0, 0, 0x10);
    plat::BITMAP info{};
    plat::GetObjectA(saved, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 1024);
    EXPECT_EQ(info.bmHeight, 768);
    plat::DeleteObject(saved);
    // The working bitmap holds the desktop where no sprite is drawn (top-left
    // pixel: every sprite starts in the middle).
    std::uint32_t px = 0;
    ASSERT_TRUE(plat::ReadPixel(form.BackBuffer().hDC(), 1, 1, px));
    EXPECT_EQ(px, screen->desktop[1]);
}

TEST_F(SaverTest, OnlyTheExactBackgroundNameCounts) {
    fs::rename(Pictures() + "flag_background.bmp", Pictures() + "FLAG_BACKGROUND.BMP");
    EXPECT_EQ(Run(1000), Outcome::Ended);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("One or more files are missing"), std::string::npos);
    EXPECT_FALSE(screen->shown);  // before the window was shown
}

TEST_F(SaverTest, AnUnwritablePictureFolderStopsDesktopMode) {
    SetIni("mode", "scMode", "1");
    fs::create_directory(Pictures() + "background.bmp");  // cannot be written as a file
    EXPECT_EQ(Run(1000), Outcome::Ended);
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(SaverTest, AMissingSpritePictureFailsInTheFirstFrame) {
    for (const char* name : {"logo.bmp", "flag_med.bmp"}) {
        SCOPED_TRACE(name);
        fs::rename(Pictures() + name, Pictures() + "gone.bmp");
        Form1 run;
        screen.emplace(host);
        host.stopAt = host.tick + 1000;
        bool ended = false;
        try {
            run.Load();
        } catch (const plat::ProgramEnded&) {
            ended = true;
        }
        EXPECT_TRUE(ended);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(screen->showCount, 1);  // the set-up completed
        ASSERT_FALSE(screen->drawn.empty());
        EXPECT_EQ(screen->drawn[0].w, 1024);  // the background reached the window
        fs::rename(Pictures() + "gone.bmp", Pictures() + name);
        host.messages.clear();
    }
}

TEST_F(SaverTest, APasswordOnTheOlderFamilyMakesTheWindowTopmost) {
    Module1::PlatformId = 1;
    Module1::UsePassword = 1;
    ASSERT_EQ(Run(0), Outcome::Stopped);
    EXPECT_TRUE(host.HasCall("SystemParametersInfoA 97 1 0"));
    EXPECT_TRUE(host.HasCall("SetWindowPos 196611 -1 0 3"));
}

TEST_F(SaverTest, EveryGraphicsObjectIsFreedWithTheWindow) {
    int before = plat::LiveObjects();
    {
        Form1 run;
        screen.emplace(host);
        host.stopAt = host.tick + 200;
        EXPECT_THROW(run.Load(), plat::StopRun);
        EXPECT_GT(plat::LiveObjects(), before);
    }
    EXPECT_EQ(plat::LiveObjects(), before);
}

}  // namespace
