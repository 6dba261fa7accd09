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
PadIntent gApplied;  // what the pad holds down right now

// Hands on only the changes, so the pad never repeats or releases a
// press that the mouse or keyboard made.
void Apply(const PadIntent& want) {
    if (want.fire != gApplied.fire) HostMouseButton(0, want.fire);
    if (want.reload != gApplied.reload) HostMouseButton(1, want.reload);
    if (want.newGame != gApplied.newGame) HostKey(VK_F1, DIK_F1, want.newGame, false);
    if (want.quit != gApplied.quit) HostKey(VK_ESCAPE, DIK_ESCAPE, want.quit, false);
    gApplied = want;
}

}  // namespace

void HostPad(const PadReading& pad, uint32_t elapsedMs) {
    AimMotion motion = AimSticks(&gAim, pad, elapsedMs);
    PadIntent intent = ReadPadButtons(&gButtons, pad, elapsedMs);
    int32_t dx = motion.dx + intent.nudgeX, dy = motion.dy + intent.nudgeY;
    if (dx != 0 || dy != 0) HostMouseMotion(dx, dy);
    Apply(intent);
}

void HostPadGone() {
    Apply(PadIntent{});
    gAim = {};
    gButtons = {};
}

}  // namespace platform
