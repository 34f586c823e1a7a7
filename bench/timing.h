// Time per call in wall-clock nanoseconds and in the calling thread's CPU
// nanoseconds. Ratios of CPU time are less disturbed on a shared, busy
// machine: time spent waiting for a core does not count.
#pragma once
#include <time.h>

#include <chrono>

inline double ThreadCpuNs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

struct PerCall {
    double wallNs, cpuNs;
};

// Measures a stretch of work: Stop gives the time per call for `calls` calls.
class Stopwatch {
  public:
    Stopwatch() : wall_(std::chrono::steady_clock::now()), cpu_(ThreadCpuNs()) {}
    PerCall Stop(double calls) const {
        const double wall =
            std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - wall_)
                .count();
        return {wall / calls, (ThreadCpuNs() - cpu_) / calls};
    }

  private:
    std::chrono::steady_clock::time_point wall_;
    double cpu_;
};

template <typename F>
PerCall NsPerCall(long calls, F&& f) {
    const Stopwatch watch;
    for (long i = 0; i < calls; ++i) f();
    return watch.Stop(double(calls));
}
