// The millisecond tick, and when the game hands the browser a turn. The
// game never sleeps: its pacing reads the tick in a tight loop until the
// tick has moved 10 on from the last frame's.
//
// At full game speed the tick moves in steps of a frame, 10 ms, on a fixed
// grid, as a coarse system timer's would. A frame that starts late (a timer
// woke late, the processor is slow) still reads the step it was due at, so
// lateness costs no frames while it stays under a step, and the whole wait
// is one timer sleep, taken once the frame is shown: the next frame then
// reads its input just after its step begins, not 10 ms before it is shown.
//
// A slowed game's clock needs every millisecond, so there the tick is fine
// and the wait is one timer sleep, ending early by as much as timers have
// woken late lately, then zero-delay turns, as timers are too coarse
// (nested ones wait at least 4 ms) to end on time.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/host.h"
#include "platform/settings/active.h"
#include "platform/web/browser.h"
#include "platform/web/web_host.h"

namespace webhost {

namespace {

// Reads of the same tick in a row that mark the pacing wait rather than the
// few reads a frame's sound calls make.
constexpr int kPacingReads = 16;
// The game's frames are due when the tick has moved this far.
constexpr double kFrameMs = 10.0;
// A fine tick's timer sleep ends before the frame is due by the most a
// timer woke late lately, fading by this much a sleep: a page that timers
// wake on time spends little on zero-delay turns, a busy or slow one keeps
// its frames on time. Never more than the cap, so that one long stall, or a
// hidden tab's long timers, cost only a while.
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

bool CoarseTick() { return platform::settings::Active().gameSpeed == platform::settings::kFullGameSpeed; }

// Never behind the last tick read, which a change of game speed to full
// could otherwise make it.
uint32_t TickAt(double now) {
    auto ms = static_cast<uint64_t>(now);
    if (CoarseTick()) ms -= ms % static_cast<uint64_t>(kFrameMs);
    auto tick = static_cast<uint32_t>(ms);
    return static_cast<int32_t>(tick - gLastTick) < 0 ? gLastTick : tick;
}

// A turn that lasts until `at`, or just the browser's queued tasks when
// that is less than a millisecond away.
void TurnUntil(double at, double now) {
    double ms = std::ceil(at - now);
    GiveTurn(ms >= 1.0 ? static_cast<int>(ms) : 0);
}

// A timer sleep of delayMs from `from`, and how late it woke.
void Sleep(int delayMs, double from) {
    GiveTurn(delayMs);
    double late = gLastTurnMs - from - delayMs;
    gTimerMarginMs = std::min(kMaxTimerMarginMs, std::max(late, gTimerMarginMs * kMarginFade));
}

// The pacing wait on a fine tick: one timer sleep while the frame is young,
// zero-delay turns after it.
void FineWait(double now) {
    // Due 10 ms after the frame's tick, however long drawing it took. A game
    // that presents nothing (out of the foreground) waits unseen: no need
    // to be on time, only to leave the CPU alone.
    double due = static_cast<double>(gFrameTick) + kFrameMs;
    if (now > due + kUnseenAfterMs) {
        GiveTurn(static_cast<int>(kFrameMs));
        return;
    }
    double sleep = std::floor(due - gTimerMarginMs - now);
    bool timer = sleep >= 1.0 && !gFrameSlept;
    gFrameSlept = gFrameSlept || timer;
    if (timer)
        Sleep(static_cast<int>(sleep), now);
    else
        GiveTurn(0);
}

}  // namespace

void GiveTurn(int delayMs) {
    kv_turn(kv_hidden() ? kHiddenTurnMs : delayMs);
    gLastTurnMs = kv_now();
    gSameTickReads = 0;
    SettleSound();
}

void GiveOverdueTurn() {
    if (kv_now() - gLastTurnMs >= kOverdueTurnMs) GiveTurn(0);
}

void FramePresented() {
    gFrameTick = gLastTick;
    gSameTickReads = 0;
    gFrameSlept = false;
    // The browser shows the frame and gathers input until the next step;
    // a frame shown after its step has passed still gives the browser its
    // turn.
    if (CoarseTick()) TurnUntil(static_cast<double>(gFrameTick) + kFrameMs, kv_now());
}

}  // namespace webhost

namespace host {

uint32_t TickCount() {
    using namespace webhost;
    double now = kv_now();
    uint32_t tick = TickAt(now);
    if (tick != gLastTick) {
        gLastTick = tick;
        gSameTickReads = 0;
        return tick;
    }
    if (++gSameTickReads < kPacingReads) return tick;
    // On a coarse tick the game waits here only when a timer woke a little
    // before its step, or when nothing is presented (out of the foreground).
    if (CoarseTick())
        TurnUntil(static_cast<double>(tick) + kFrameMs, now);
    else
        FineWait(now);
    gLastTick = TickAt(kv_now());
    return gLastTick;
}

}  // namespace host
