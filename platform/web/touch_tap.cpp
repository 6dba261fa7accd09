// A landing is one mouse read: the motion that puts the crosshair's centre
// under the finger, with the left button pressed and released at once, which
// the mouse latches as one click, as a touchpad's tap. The game sees a player
// who moved the mouse and clicked. That motion is reckoned from where the
// last touch left the crosshair, so while anything else may have moved it
// since (the mouse, a pad, or nothing yet at the start) the landing first
// takes a read of its own: a motion so large that the crosshair lands in the
// top-left corner whatever it was. A drag moves the crosshair on from where
// the last step put it, in one read; a reload is the right button clicked,
// the crosshair left where it was.
#include <algorithm>
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
constexpr int kCornerMaxX = 800 - kCrosshairSize;
constexpr int kCornerMaxY = 600 - kCrosshairSize;
// The game aims at the crosshair's centre, this far right of and below the
// corner it moves.
constexpr int kAimOffset = kCrosshairSize / 2;

constexpr int kLeftButton = 0;
constexpr int kRightButton = 1;

// Landings that come faster than they are played wait their turn, up to a
// few; drags are folded into one.
constexpr size_t kMostWaiting = 8;

enum class Kind { Tap, Drag, Reload };

struct Touch {
    Kind kind;
    int x, y;
};

struct Corner {
    int x = 0, y = 0;
};

std::deque<Touch> gTouches;
// Where the last aim left the crosshair's corner, when nothing else moved
// it since.
bool gKnown = false;
Corner gCorner;
bool gFramePresented = true;

void Queue(Kind kind, int x, int y) {
    if (gTouches.size() < kMostWaiting) gTouches.push_back({kind, x, y});
}

void Click(int button) {
    platform::HostMouseButton(button, true, platform::InputSource::Touch);
    platform::HostMouseButton(button, false, platform::InputSource::Touch);
}

// Moves the crosshair's corner from where it is to put its centre at (x, y).
void AimAt(int x, int y) {
    Corner to{std::clamp(x - kAimOffset, 0, kCornerMaxX), std::clamp(y - kAimOffset, 0, kCornerMaxY)};
    platform::HostMouseMotion(to.x - gCorner.x, to.y - gCorner.y, platform::InputSource::Touch);
    gCorner = to;
}

}  // namespace

void QueueTap(int x, int y) { Queue(Kind::Tap, x, y); }

void QueueDrag(int x, int y) {
    if (!gTouches.empty() && gTouches.back().kind == Kind::Drag) gTouches.back() = {Kind::Drag, x, y};
    else Queue(Kind::Drag, x, y);
}

void QueueReload() { Queue(Kind::Reload, 0, 0); }

void TapFramePresented() { gFramePresented = true; }

void CrosshairMovedElsewhere() { gKnown = false; }

void StepTaps() {
    if (gTouches.empty() || !gFramePresented) return;
    gFramePresented = false;
    const Touch& touch = gTouches.front();
    if (touch.kind != Kind::Reload && !gKnown) {
        platform::HostMouseMotion(-kCornerMaxX, -kCornerMaxY, platform::InputSource::Touch);
        gCorner = {};
        gKnown = true;
        return;
    }
    switch (touch.kind) {
        case Kind::Tap:
            AimAt(touch.x, touch.y);
            Click(kLeftButton);
            break;
        case Kind::Drag: AimAt(touch.x, touch.y); break;
        case Kind::Reload: Click(kRightButton); break;
    }
    gTouches.pop_front();
}

}  // namespace webhost
