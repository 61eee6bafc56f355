#pragma once

#include <sys/resource.h>

#include <chrono>
#include <cstdio>

// Prints, the moment the main window has been shown, the wall clock in microseconds since the
// epoch (the timing script subtracts the moment it started the process) and the processor time
// the process has used so far (user and system, in microseconds), which a busy shared machine
// disturbs far less than the wall clock.
inline void PrintShownClock() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const long long cpu = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000LL +
                          usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
    std::printf(
        "%lld %lld\n",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()),
        cpu);
    std::fflush(stdout);
}
