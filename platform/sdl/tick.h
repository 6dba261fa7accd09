// The SDL host's millisecond tick, on the monotonic clock. Read again within
// the millisecond of the previous read, it sleeps until the next one begins:
// the game's pacing spins on the tick, and so sleeps instead of burning a
// core while still seeing every millisecond. The wake-up is an absolute time,
// so a clock that jumped ahead ends the sleep at once.
#pragma once

#include <time.h>

#include <cerrno>
#include <cstdint>

namespace sdlhost {

constexpr int64_t kNsPerMs = 1000000;
constexpr int64_t kMsPerSecond = 1000;

inline int64_t MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * kMsPerSecond + now.tv_nsec / kNsPerMs;
}

// The current millisecond, never `lastReadMs` itself.
inline int64_t ReadTickMs(int64_t lastReadMs) {
    int64_t ms = MonotonicMs();
    if (ms != lastReadMs) return ms;
    int64_t next = ms + 1;
    timespec wake{static_cast<time_t>(next / kMsPerSecond), static_cast<long>(next % kMsPerSecond * kNsPerMs)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr) == EINTR) {
    }
    return MonotonicMs();
}

}  // namespace sdlhost
