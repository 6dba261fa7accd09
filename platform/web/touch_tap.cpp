// A tap becomes three mouse reads, one frame apart: a motion so large that
// the crosshair lands in the top-left corner whatever it was; then the motion
// that puts the crosshair's centre under the finger, with the left button
// pressed; then the button released. The game sees a player who moved the
// mouse and clicked. A reload is the right button pressed and released a
// frame later, the crosshair left where it was.
#include <deque>

#include "platform/host_events.h"
#include "platform/web/touch_tap.h"

namespace webhost {

namespace {

// The crosshair is 50 pixels square and the game keeps all of it on the
// screen, so its top-left corner, which the mouse moves, stays within
// (800 - 50) x (600 - 50): a motion of that size reaches the corner from
// anywhere.
constexpr int kCrosshairSize = 50;
constexpr int kCornerMotionX = -(800 - kCrosshairSize);
constexpr int kCornerMotionY = -(600 - kCrosshairSize);
// The game aims at the crosshair's centre, this far right of and below the
// corner it moves.
constexpr int kAimOffset = kCrosshairSize / 2;

constexpr int kLeftButton = 0;
constexpr int kRightButton = 1;

// Taps that come faster than a tap is played wait their turn, up to a few.
constexpr size_t kMostWaitingTaps = 4;

enum class Step { PinToCorner, AimAndPress, Release };

struct Tap {
    bool reload;
    int x, y;
};

std::deque<Tap> gTaps;
Step gStep = Step::PinToCorner;
bool gFramePresented = true;

}  // namespace

void QueueTap(int x, int y) {
    if (gTaps.size() < kMostWaitingTaps) gTaps.push_back({false, x, y});
}

void QueueReload() {
    if (gTaps.size() < kMostWaitingTaps) gTaps.push_back({true, 0, 0});
}

void TapFramePresented() { gFramePresented = true; }

void StepTaps() {
    if (gTaps.empty() || !gFramePresented) return;
    gFramePresented = false;
    const Tap& tap = gTaps.front();
    switch (gStep) {
        case Step::PinToCorner:
            if (tap.reload) {
                platform::HostMouseButton(kRightButton, true);
                gStep = Step::Release;
                break;
            }
            platform::HostMouseMotion(kCornerMotionX, kCornerMotionY);
            gStep = Step::AimAndPress;
            break;
        case Step::AimAndPress:
            platform::HostMouseMotion(tap.x - kAimOffset, tap.y - kAimOffset);
            platform::HostMouseButton(kLeftButton, true);
            gStep = Step::Release;
            break;
        case Step::Release:
            platform::HostMouseButton(tap.reload ? kRightButton : kLeftButton, false);
            gTaps.pop_front();
            gStep = Step::PinToCorner;
            break;
    }
}

}  // namespace webhost
