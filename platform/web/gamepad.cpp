#include "platform/web/gamepad.h"

#include <cstdint>

#include "platform/controls/host_gamepad.h"
#include "platform/host_events.h"
#include "platform/web/browser.h"

namespace webhost {

namespace {

constexpr int kAxes = 4;
constexpr int kPadValues = kAxes + 2 + platform::kPadButtons;

bool gFeeding = false;
double gLastMs = 0;

}  // namespace

void PumpGamepad() {
    float values[kPadValues] = {};
    bool present = kv_read_pad(values) != 0;
    if (!present || !platform::IsForeground()) {
        if (gFeeding) platform::HostPadGone();
        gFeeding = false;
        return;
    }
    platform::PadReading pad;
    pad.leftX = values[0];
    pad.leftY = values[1];
    pad.rightX = values[2];
    pad.rightY = values[3];
    pad.leftTrigger = values[kAxes];
    pad.rightTrigger = values[kAxes + 1];
    for (int i = 0; i < platform::kPadButtons; ++i) pad.buttons[i] = values[kAxes + 2 + i] != 0;
    // Whole milliseconds go to the pad; the fraction waits for the next look.
    double now = kv_now();
    uint32_t elapsed = 0;
    if (gFeeding && now > gLastMs) elapsed = static_cast<uint32_t>(now - gLastMs);
    else gLastMs = now;
    gLastMs += elapsed;
    gFeeding = true;
    platform::HostPad(pad, elapsed);
}

}  // namespace webhost
