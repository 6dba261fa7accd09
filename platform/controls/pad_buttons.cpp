#include "platform/controls/pad_buttons.h"

namespace platform {

PadIntent ReadPadButtons(PadButtonState* state, const PadReading& pad, uint32_t elapsedMs) {
    PadIntent intent;
    intent.fire = pad.buttons[kPadA] || pad.rightTrigger > kTriggerPressed;
    intent.reload = pad.buttons[kPadX] || pad.buttons[kPadRightShoulder];
    intent.newGame = pad.buttons[kPadStart];
    if (!pad.buttons[kPadBack]) state->backHeldMs = 0;
    else if (state->backHeldMs < kBackHoldMs) state->backHeldMs += elapsedMs;
    intent.quit = state->backHeldMs >= kBackHoldMs;

    const PadButton arrows[4] = {kPadUp, kPadDown, kPadLeft, kPadRight};
    const int32_t stepX[4] = {0, 0, -1, 1}, stepY[4] = {-1, 1, 0, 0};
    for (int i = 0; i < 4; ++i) {
        bool held = pad.buttons[arrows[i]];
        if (held && !state->dpad[i]) {
            intent.nudgeX += stepX[i];
            intent.nudgeY += stepY[i];
        }
        state->dpad[i] = held;
    }
    return intent;
}

}  // namespace platform
