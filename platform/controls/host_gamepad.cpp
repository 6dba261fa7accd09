#include "platform/controls/host_gamepad.h"

#include <dinput.h>
#include <windows.h>

#include "platform/controls/pad_buttons.h"
#include "platform/controls/stick_aim.h"
#include "platform/host_events.h"

namespace platform {

namespace {

StickAim gAim;
PadButtonState gButtons;
bool gApplied[kPadActions] = {};  // what the pad holds down right now

// The pad holds mouse buttons apart from the mouse, so neither releases the
// other's press.
void Send(PadAction action, bool down) {
    switch (action) {
        case kActFire: HostMouseButton(0, down, InputSource::Pad); break;
        case kActReload: HostMouseButton(1, down, InputSource::Pad); break;
        case kActNewGame: HostKey(VK_F1, DIK_F1, down, false); break;
        case kActQuit: HostKey(VK_ESCAPE, DIK_ESCAPE, down, false); break;
        case kPadActions: break;
    }
}

// Hands on only the changes, so the pad never repeats a press. A press made
// since the last reading is handed on even if already let go: pressed and
// released at once, it is latched as a click is.
void Apply(const PadIntent& want) {
    for (int i = 0; i < kPadActions; ++i) {
        auto action = static_cast<PadAction>(i);
        if (want.pressed[i]) {
            if (gApplied[i]) Send(action, false);
            Send(action, true);
            gApplied[i] = true;
        }
        if (want.held[i] != gApplied[i]) Send(action, want.held[i]);
        gApplied[i] = want.held[i];
    }
}

}  // namespace

void HostPad(const PadReading& pad, uint32_t elapsedMs) {
    AimMotion motion = AimSticks(&gAim, pad, elapsedMs);
    PadIntent intent = ReadPadButtons(&gButtons, pad);
    int32_t dx = motion.dx + intent.nudgeX, dy = motion.dy + intent.nudgeY;
    if (dx != 0 || dy != 0) HostMouseMotion(dx, dy, InputSource::Pad);
    Apply(intent);
}

void HostPadGone() {
    Apply(PadIntent{});
    gAim = {};
    gButtons = {};
}

}  // namespace platform
