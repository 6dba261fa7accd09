// The millisecond tick, and when the game hands the browser a turn. The
// game never sleeps: its pacing reads the tick in a tight loop until the
// tick has moved 10 on from the last frame's. While that frame is young the
// wait becomes one timer sleep, ending early by as much as timers have
// woken late lately; the rest becomes zero-delay turns, as timers are too
// coarse (nested ones wait at least 4 ms) to end on time.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/host.h"
#include "platform/web/browser.h"
#include "platform/web/web_host.h"

namespace webhost {

namespace {

// Reads of the same millisecond in a row that mark the pacing wait rather
// than the few reads a frame's sound calls make.
constexpr int kPacingReads = 16;
// The game's frames are due when the tick has moved this far.
constexpr double kFrameMs = 10.0;
// A timer sleep ends before the frame is due by the most a timer woke late
// lately, fading by this much a sleep: a page that timers wake on time
// spends little on zero-delay turns, a busy or slow one (a phone's
// processor) keeps its frames on time. Never more than the cap, so that
// one long stall, or a hidden tab's long timers, cost only a while.
constexpr double kMarginFade = 0.95;
constexpr double kMaxTimerMarginMs = 3.0;
// A wait begun this long after its frame was due follows no shown frame.
constexpr double kUnseenAfterMs = 1.0;
// Longest time without a turn while the game runs on without waiting.
constexpr double kOverdueTurnMs = 8.0;
// Out of sight, a turn is a timer this long: the tab gives back the CPU.
constexpr int kHiddenTurnMs = 50;

// The tick the last presented frame was paced by.
uint32_t gFrameTick = 0;
// A frame's wait has at most one timer sleep: a timer that woke early is not
// trusted with the last milliseconds, which a second, short one overshoots
// (nested timers wait at least 4 ms).
bool gFrameSlept = false;
double gTimerMarginMs = 1.0;
double gLastTurnMs = 0;
uint32_t gLastTick = 0;
int gSameTickReads = 0;

}  // namespace

void GiveTurn(int delayMs) {
    kv_turn(kv_hidden() ? kHiddenTurnMs : delayMs);
    gLastTurnMs = kv_now();
    gSameTickReads = 0;
    SettleSound();
}

// A timer sleep of delayMs from `from`, and how late it woke.
void Sleep(int delayMs, double from) {
    GiveTurn(delayMs);
    double late = gLastTurnMs - from - delayMs;
    gTimerMarginMs = std::min(kMaxTimerMarginMs, std::max(late, gTimerMarginMs * kMarginFade));
}

void GiveOverdueTurn() {
    if (kv_now() - gLastTurnMs >= kOverdueTurnMs) GiveTurn(0);
}

void FramePresented() {
    gFrameTick = gLastTick;
    gSameTickReads = 0;
    gFrameSlept = false;
}

}  // namespace webhost

namespace host {

uint32_t TickCount() {
    double now = kv_now();
    auto tick = static_cast<uint32_t>(static_cast<uint64_t>(now));
    if (tick != webhost::gLastTick) {
        webhost::gLastTick = tick;
        webhost::gSameTickReads = 0;
        return tick;
    }
    if (++webhost::gSameTickReads < webhost::kPacingReads) return tick;
    // Due 10 ms after the frame's tick, however long drawing it took. A game
    // that presents nothing (out of the foreground) waits unseen: no need
    // to be on time, only to leave the CPU alone.
    double due = static_cast<double>(webhost::gFrameTick) + webhost::kFrameMs;
    if (now > due + webhost::kUnseenAfterMs) {
        webhost::GiveTurn(static_cast<int>(webhost::kFrameMs));
    } else {
        double sleep = std::floor(due - webhost::gTimerMarginMs - now);
        bool timer = sleep >= 1.0 && !webhost::gFrameSlept;
        webhost::gFrameSlept = webhost::gFrameSlept || timer;
        if (timer)
            webhost::Sleep(static_cast<int>(sleep), now);
        else
            webhost::GiveTurn(0);
    }
    now = kv_now();
    webhost::gLastTick = static_cast<uint32_t>(static_cast<uint64_t>(now));
    return webhost::gLastTick;
}

}  // namespace host
