#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <ctime>

inline double elapsedMs(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// The processor time of this thread: on a machine shared with other work it shows what the
// measured code costs, where the wall clock also shows the waiting.
inline double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// One run's cost, or the least of several, in milliseconds of the clock and of the processor.
struct Timing {
    double wallMs = 1e300;
    double cpuMs = 1e300;
};

template <class Work> Timing timeOnce(Work&& work) {
    QElapsedTimer timer;
    const double cpuStart = threadCpuMs();
    timer.start();
    work();
    return {elapsedMs(timer), threadCpuMs() - cpuStart};
}

inline void keepBest(Timing& best, const Timing& one) {
    best.wallMs = std::min(best.wallMs, one.wallMs);
    best.cpuMs = std::min(best.cpuMs, one.cpuMs);
}

// The fastest of a few runs: the figures should show the code, not the machine's other tenants.
template <class Work> Timing bestOf(int runs, Work&& work) {
    Timing best;
    for (int run = 0; run < runs; ++run)
        keepBest(best, timeOnce(work));
    return best;
}
