// Frame statistics for tuning, printed when the window goes away if
// KALVENOR_DEBUG is set: frames per second, and the CPU time of showing a
// frame against the game's own time to compose one. Composing is taken to
// run from the end of one present to the first tick read after it, which is
// where the game's pacing starts waiting. Presenting counts the CPU of the
// whole process, since a GL driver may rasterise on threads of its own.
#include <time.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/sdl/host_state.h"

namespace sdlhost {

namespace {

struct Stats {
    bool enabled = std::getenv("KALVENOR_DEBUG") != nullptr;
    bool composing = false;
    int64_t composeStart = 0, presentStart = 0;
    int64_t composeTotal = 0, presentTotal = 0;
    uint64_t presentWallStart = 0, presentWallTotal = 0;
    uint64_t composeCount = 0, presentCount = 0;
    uint64_t firstPresent = 0, lastPresent = 0;
};

Stats& TheStats() {
    static Stats stats;
    return stats;
}

int64_t CpuNs(clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

}  // namespace

void StatsPresentBegin() {
    Stats& st = TheStats();
    if (!st.enabled) return;
    st.presentStart = CpuNs(CLOCK_PROCESS_CPUTIME_ID);
    st.presentWallStart = SDL_GetPerformanceCounter();
}

void StatsPresentEnd() {
    Stats& st = TheStats();
    if (!st.enabled) return;
    st.presentTotal += CpuNs(CLOCK_PROCESS_CPUTIME_ID) - st.presentStart;
    ++st.presentCount;
    st.lastPresent = SDL_GetPerformanceCounter();
    st.presentWallTotal += st.lastPresent - st.presentWallStart;
    if (st.presentCount == 1) st.firstPresent = st.lastPresent;
    st.composing = true;
    st.composeStart = CpuNs(CLOCK_THREAD_CPUTIME_ID);
}

void StatsTick() {
    Stats& st = TheStats();
    if (!st.composing) return;
    st.composing = false;
    st.composeTotal += CpuNs(CLOCK_THREAD_CPUTIME_ID) - st.composeStart;
    ++st.composeCount;
}

void StatsReport() {
    Stats& st = TheStats();
    if (!st.enabled || st.presentCount < 2 || st.composeCount == 0) return;
    double seconds = static_cast<double>(st.lastPresent - st.firstPresent) /
                     static_cast<double>(SDL_GetPerformanceFrequency());
    double fps = seconds > 0 ? static_cast<double>(st.presentCount - 1) / seconds : 0;
    double presentUs = static_cast<double>(st.presentTotal) / 1000.0 / static_cast<double>(st.presentCount);
    double presentWallUs = static_cast<double>(st.presentWallTotal) * 1e6 /
                           static_cast<double>(SDL_GetPerformanceFrequency()) / static_cast<double>(st.presentCount);
    double composeUs = static_cast<double>(st.composeTotal) / 1000.0 / static_cast<double>(st.composeCount);
    std::fprintf(stderr,
                 "kalvenor: frames %llu in %.2f s (%.1f fps); present %.1f us wall; CPU per frame: present %.1f us, "
                 "compose %.1f us, ratio %.2f\n",
                 static_cast<unsigned long long>(st.presentCount), seconds, fps, presentWallUs, presentUs, composeUs,
                 composeUs > 0 ? presentUs / composeUs : 0.0);
}

}  // namespace sdlhost
