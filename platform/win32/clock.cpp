// The game's clock: the host's tick at the player's game speed, standing
// still while a host's menu is open. At full speed and never paused it is
// the host's tick itself, wrap included.
#include "platform/host.h"
#include "platform/host_events.h"
#include "platform/internal.h"
#include "platform/settings/active.h"
#include "platform/win32/state.h"

namespace {

constexpr uint64_t kFullSpeed = platform::settings::kFullGameSpeed;

struct Clock {
    bool started = false;
    bool paused = false;
    uint32_t lastHostMs = 0;
    uint64_t gameCentiMs = 0;  // hundredths of a millisecond: speed is in percent
};

Clock gClock;

// Moves the game's time on by the host's since the last look.
uint32_t Advance() {
    uint32_t now = host::TickCount();
    if (!gClock.started) {
        gClock.started = true;
        gClock.gameCentiMs = uint64_t(now) * kFullSpeed;
    } else if (!gClock.paused) {
        auto speed = static_cast<uint64_t>(platform::settings::Active().gameSpeed);
        gClock.gameCentiMs += uint64_t(now - gClock.lastHostMs) * speed;
    }
    gClock.lastHostMs = now;
    return static_cast<uint32_t>(gClock.gameCentiMs / kFullSpeed);
}

}  // namespace

extern "C" DWORD WINAPI GetTickCount(VOID) { return Advance(); }

namespace platform {

void HostPause(bool paused) {
    if (paused == gClock.paused) return;
    // Up to now counts; from the pause on nothing does, till it ends.
    Advance();
    gClock.paused = paused;
}

void ResetClock() { gClock = {}; }

}  // namespace platform
