// Presenting one frame's changed areas (the 33 sprites' copies to the
// window) through the saver window of the window system (on X11 SDL's window
// surface, over XShm), against presenting the whole window in the same run.
// Needs a display; CORVANE_DESKTOP picks the window system as for the saver:
//   scripts/xvfb.sh build/corvane_bench --benchmark_filter=Present
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/sprite_layout.h"
#include "bench/timing.h"
#include "platform/desktop/linux/desktop_windows.h"
#include "platform/desktop/linux/frame_window.h"
#include "platform/desktop/linux/window_systems.h"
#include "platform/saver_window.h"

namespace {

struct NoInput : plat::SaverEvents {
    void Form_KeyDown(std::int16_t, std::int16_t) override {}
    void Form_MouseDown(std::int16_t, std::int16_t, float, float) override {}
    void Form_MouseMove(std::int16_t, std::int16_t, float, float) override {}
};

// The sprites' moves, frame by frame, as the areas the GDI reports to the
// window: clipped to it, as BitBlt clips.
class Moves {
  public:
    Moves(int w, int h) : w_(w), h_(h), motions_(StartMotions(w, h)) {
        for (const Motion& m : motions_) drawn_.push_back({-w, -h, m.width, m.height});
    }
    template <typename F>
    void Next(F&& changed) {
        for (std::size_t i = 0; i < motions_.size(); ++i) {
            Motion& m = motions_[i];
            Step(m, w_, h_);
            const Area previous = drawn_[i];
            drawn_[i] = {m.x, m.y, m.width, m.height};
            Area areas[2];
            for (int k = 0, n = StageAreas(previous, drawn_[i], areas); k < n; ++k) {
                const Area& a = areas[k];
                const int x0 = std::max(a.x, 0), y0 = std::max(a.y, 0);
                const int x1 = std::min(a.x + a.w, w_), y1 = std::min(a.y + a.h, h_);
                if (x1 > x0 && y1 > y0) changed(x0, y0, x1 - x0, y1 - y0);
            }
        }
    }

  private:
    int w_, h_;
    std::vector<Motion> motions_;
    std::vector<Area> drawn_;
};

void Present(benchmark::State& state) {
    const char* asked = std::getenv("CORVANE_DESKTOP");
    std::string why;
    auto system = plat::ChooseWindowSystem(asked ? asked : "", false, why);
    int w = 0, h = 0;
    std::vector<plat::MonitorRect> monitors;
    if (!system || !system->ReadScreen(w, h, monitors)) {
        state.SkipWithError(("no display (run under scripts/xvfb.sh): " + why).c_str());
        return;
    }
    plat::DesktopWindows windows(system->CreateWindows(), [&](int& a, int& b) { a = w, b = h; });
    NoInput input;
    auto window = system->CreateSaverWindow(windows, input, plat::HackTarget{}, why);
    if (!window) {
        state.SkipWithError(why.c_str());
        return;
    }
    w = window->Width(), h = window->Height();
    window->Show();
    window->hDC();  // the window's pixels, as the saver takes them
    Moves moves(w, h);
    auto frame = [&] {
        moves.Next([&](int x, int y, int cw, int ch) { window->Changed(x, y, cw, ch); });
    };
    for (int i = 0; i < 20; ++i) frame(), window->Refresh();  // past the first frames
    long handed = 0;
    const Stopwatch watch;
    for (auto _ : state) {
        frame();
        handed += window->PendingRects();
        window->Refresh();
    }
    const PerCall areas = watch.Stop(double(state.iterations()));
    const PerCall full = NsPerCall(std::max<long>(state.iterations(), 50), [&] {
        window->Changed(0, 0, w, h);
        window->Refresh();
    });
    state.counters["vs_full"] = areas.wallNs / full.wallNs;
    state.counters["vs_full_cpu"] = areas.cpuNs / full.cpuNs;
    state.counters["full_ns"] = full.wallNs;
    state.counters["rects"] = double(handed) / double(state.iterations());
    state.SetLabel(std::to_string(w) + "x" + std::to_string(h));
}

BENCHMARK(Present)->Unit(benchmark::kMicrosecond);

}  // namespace
