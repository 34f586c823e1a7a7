// The saver's own frames: its real set-up and frame loop (tools/render's
// headless run) with the shipped pictures over the white tiles, the window's
// pixels shared as on X11. Thread CPU per frame after a warm-up, against a
// memcpy of one screen's bytes in the same run. Leaves out what the display
// server costs: presentation, input and waiting (the headless clock jumps).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bench/timing.h"
#include "platform/files.h"
#include "tools/render/render.h"

namespace {

constexpr int kWarmFrames = 40;
constexpr int kFrames = 400;

void SaverFrames(benchmark::State& state, int w, int h) {
    std::vector<char> from(std::size_t(w) * h * 4, 1), to(from.size());
    double frameNs = 0, copyNs = 0;
    for (auto _ : state) {
        render::Options options;
        options.folder = plat::ProgramFolder();
        options.width = w;
        options.height = h;
        options.frames = kWarmFrames + kFrames;
        double start = 0, stop = 0;
        const std::string error = render::Render(options, [&](int index, const render::Frame&) {
            if (index == kWarmFrames) start = ThreadCpuNs();
            if (index == kWarmFrames + kFrames) stop = ThreadCpuNs();
        });
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            break;
        }
        const double ns = (stop - start) / kFrames;
        frameNs += ns;
        state.SetIterationTime(ns / 1e9);
        copyNs += NsPerCall(kFrames / 8, [&] {
                      std::memcpy(to.data(), from.data(), to.size());
                      benchmark::ClobberMemory();
                  }).cpuNs;
    }
    state.counters["vs_memcpy_cpu"] = frameNs / copyNs;
}

BENCHMARK_CAPTURE(SaverFrames, 1920x1080, 1920, 1080)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SaverFrames, 3840x2160, 3840, 2160)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
