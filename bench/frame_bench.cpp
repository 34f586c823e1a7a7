// One sprite frame at full-HD and 4K, against a memcpy of the bytes its
// blits write and against the SDL2 colour-key peer, measured in the same run
// and in turns.
// Each ratio is given twice: in wall-clock time (vs_memcpy, vs_sdl) and in
// the thread's CPU time (..._cpu), which a shared, busy machine disturbs
// less (time spent waiting for a core does not count).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/alloc_count.h"
#include "bench/gdi_frame.h"
#include "bench/sdl_frame.h"
#include "bench/timing.h"
#include "platform/headless/fake_host.h"

namespace {

void Frame(benchmark::State& state, int w, int h) {
    plat::FakeHost host;
    host.screenWidthPx = w;
    host.screenHeightPx = h;
    plat::SetHost(&host);
    {
        GdiFrame ours(w, h);
        SdlFrame peer(w, h);
        for (int i = 0; i < 20; ++i) ours.Run(), peer.Run();  // past the first frames
        std::int64_t bytes = 0;
        const long allocsBefore = AllocationCount();
        for (auto _ : state) {
            ours.Run();
            bytes += ours.BytesWritten();
        }
        const double allocsPerFrame = double(AllocationCount() - allocsBefore) / state.iterations();

        // The ratios: the three alternate in short stretches, so that a busy
        // neighbour on the machine slows all of them alike. A stretch is long
        // enough to warm the caches again after the other two.
        const std::size_t frameBytes = std::size_t(bytes / state.iterations());
        std::vector<char> from(frameBytes, 1), to(frameBytes, 0);
        constexpr long kStretch = 32;
        const long rounds = std::max<long>(state.iterations() / kStretch, 8);
        PerCall frame{}, copy{}, sdl{};
        auto add = [](PerCall& sum, const PerCall& one) {
            sum.wallNs += one.wallNs;
            sum.cpuNs += one.cpuNs;
        };
        for (long r = 0; r < rounds; ++r) {
            add(frame, NsPerCall(kStretch, [&] { ours.Run(); }));
            add(copy, NsPerCall(kStretch, [&] {
                    std::memcpy(to.data(), from.data(), frameBytes);
                    benchmark::ClobberMemory();
                }));
            add(sdl, NsPerCall(kStretch, [&] { peer.Run(); }));
        }

        // Both compose the same picture (same number of frames run so far).
        for (long i = 0; i < state.iterations(); ++i) peer.Run();
        bool same = true;
        for (int y = 0; y < h; y += 7)
            for (int x = 0; x < w; x += 7) same &= ours.ScreenPixel(x, y) == peer.ScreenPixel(x, y);
        if (!same) state.SkipWithError("the SDL peer drew a different picture");

        state.counters["vs_memcpy"] = frame.wallNs / copy.wallNs;
        state.counters["vs_sdl"] = frame.wallNs / sdl.wallNs;
        state.counters["vs_memcpy_cpu"] = frame.cpuNs / copy.cpuNs;
        state.counters["vs_sdl_cpu"] = frame.cpuNs / sdl.cpuNs;
        state.counters["memcpy_ns"] = copy.wallNs / rounds;
        state.counters["sdl_ns"] = sdl.wallNs / rounds;
        state.counters["frame_bytes"] = double(frameBytes);
        state.counters["allocs"] = allocsPerFrame;
    }
    plat::SetHost(nullptr);
}

BENCHMARK_CAPTURE(Frame, 1920x1080, 1920, 1080)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Frame, 3840x2160, 3840, 2160)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
