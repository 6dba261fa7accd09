#include "platform/controls/pad_buttons.h"

#include "platform/settings/active.h"

namespace platform {

namespace {

bool GivenAnAction(const settings::Settings& s, PadButton button) {
    return s.padFire == button || s.padReload == button || s.padNewGame == button || s.padQuit == button;
}

}  // namespace

PadIntent ReadPadButtons(PadButtonState* state, const PadReading& pad) {
    // A press is a button found down that was up at the last reading, or
    // one its host saw pressed in between.
    bool pressed[kPadButtons];
    for (int i = 0; i < kPadButtons; ++i) {
        pressed[i] = pad.pressed[i] || (pad.buttons[i] && !state->held[i]);
        state->held[i] = pad.buttons[i];
    }
    const settings::Settings& chosen = settings::Active();
    PadIntent intent;
    bool triggerFires = pad.rightTrigger > kTriggerPressed;
    intent.held[kActFire] = pad.buttons[chosen.padFire] || triggerFires;
    intent.pressed[kActFire] = pressed[chosen.padFire];
    intent.held[kActReload] = pad.buttons[chosen.padReload];
    intent.pressed[kActReload] = pressed[chosen.padReload];
    // The right shoulder reloads too, unless the player gave it an action.
    if (!GivenAnAction(chosen, kPadRightShoulder)) {
        intent.held[kActReload] = intent.held[kActReload] || pad.buttons[kPadRightShoulder];
        intent.pressed[kActReload] = intent.pressed[kActReload] || pressed[kPadRightShoulder];
    }
    intent.held[kActNewGame] = pad.buttons[chosen.padNewGame];
    intent.pressed[kActNewGame] = pressed[chosen.padNewGame];
    intent.held[kActQuit] = pad.quitHeldMs >= kBackHoldMs;

    const PadButton arrows[4] = {kPadUp, kPadDown, kPadLeft, kPadRight};
    const int32_t stepX[4] = {0, 0, -1, 1}, stepY[4] = {-1, 1, 0, 0};
    for (int i = 0; i < 4; ++i) {
        if (!pressed[arrows[i]]) continue;
        intent.nudgeX += stepX[i];
        intent.nudgeY += stepY[i];
    }
    return intent;
}

}  // namespace platform
