// A headless saver run: the fake host, a memory screen, and a program folder
// holding the real pictures.
#pragma once
#include <filesystem>
#include <optional>

#include "platform/headless/headless_screen.h"
#include "saver/form1.h"
#include "tests/support/fake_host_fixture.h"

#ifndef CORVANE_SOURCE_DIR
#error "CORVANE_SOURCE_DIR must name the source tree"
#endif

class SaverTest : public HostTest {
  protected:
    SaverTest() {
        namespace fs = std::filesystem;
        fs::create_directories(folder / "vantrelsoftware/corvane");
        for (auto& e : fs::directory_iterator(CORVANE_SOURCE_DIR "/assets/folder"))
            fs::copy_file(e.path(),
                          folder / ("vantrelsoftware/corvane/" + e.path().filename().string()));
        // Steps of 4 (up-left -4) and positions in the middle, unless a test
        // sets its own values.
        host.screenWidthPx = 1024;
        host.screenHeightPx = 768;
    }

    std::string Pictures() const { return folder / "vantrelsoftware/corvane/"; }

    // Starts a run that stops once `ms` have passed; returns how it ended.
    enum class Outcome { Stopped, Ended };
    Outcome Run(std::uint32_t ms) {
        if (!screen) screen.emplace(host);
        host.stopAt = host.tick + ms;
        try {
            form.Load();
        } catch (const plat::StopRun&) {
            return Outcome::Stopped;
        } catch (const plat::ProgramEnded&) {
            return Outcome::Ended;
        }
        return Outcome::Stopped;
    }

    // Rnd values for the launch of one sprite: steps from rx, ry, then the
    // position from px, py (fractions of the screen).
    void LaunchValues(double rx, double ry, double px, double py) {
        for (double v : {rx, ry, px, py}) host.rndValues.push_back(v);
    }
    // The same middling launch for the sprites first to last.
    void DefaultLaunches(int count) {
        for (int i = 0; i < count; ++i) LaunchValues(0.5, 0.5, 0.5, 0.5);
    }

    std::optional<plat::HeadlessScreen> screen;
    Form1 form;
};
