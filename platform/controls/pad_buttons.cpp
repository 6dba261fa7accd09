#include "platform/controls/pad_buttons.h"

namespace platform {

PadIntent ReadPadButtons(PadButtonState* state, const PadReading& pad) {
    // A press is a button found down that was up at the last reading, or
    // one its host saw pressed in between.
    bool pressed[kPadButtons];
    for (int i = 0; i < kPadButtons; ++i) {
        pressed[i] = pad.pressed[i] || (pad.buttons[i] && !state->held[i]);
        state->held[i] = pad.buttons[i];
    }
    PadIntent intent;
    bool triggerFires = pad.rightTrigger > kTriggerPressed;
    intent.held[kActFire] = pad.buttons[kPadA] || triggerFires;
    intent.pressed[kActFire] = pressed[kPadA];
    intent.held[kActReload] = pad.buttons[kPadX] || pad.buttons[kPadRightShoulder];
    intent.pressed[kActReload] = pressed[kPadX] || pressed[kPadRightShoulder];
    intent.held[kActNewGame] = pad.buttons[kPadStart];
    intent.pressed[kActNewGame] = pressed[kPadStart];
    intent.held[kActQuit] = pad.backHeldMs >= kBackHoldMs;

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
