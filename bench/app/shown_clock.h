#pragma once

#include <chrono>
#include <cstdio>

// Prints the wall clock in microseconds since the epoch, the moment the main window has been
// shown; the timing script subtracts the moment it started the process.
inline void PrintShownClock() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::printf("%lld\n", static_cast<long long>(
                              std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
    std::fflush(stdout);
}
