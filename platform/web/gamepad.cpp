#include "platform/web/gamepad.h"

#include <cstdint>

#include "platform/controls/host_gamepad.h"
#include "platform/controls/pad_buttons.h"
#include "platform/settings/active.h"
#include "platform/host_events.h"
#include "platform/web/browser.h"
#include "platform/web/touch_tap.h"
#include "platform/web/web_host.h"

namespace webhost {

namespace {

// The Gamepad API's standard mapping: the sticks are its first four axes,
// the triggers buttons 6 and 7.
constexpr int kAxes = 4;
constexpr int kLeftTrigger = 6, kRightTrigger = 7;
// Its buttons as the platform's reading orders them.
constexpr int kStandardButton[platform::kPadButtons] = {
    0,   // A
    1,   // B
    2,   // X
    3,   // Y
    8,   // Back
    16,  // Guide
    9,   // Start
    10,  // left stick
    11,  // right stick
    4,   // left shoulder
    5,   // right shoulder
    12,  // d-pad up
    13,  // d-pad down
    14,  // d-pad left
    15,  // d-pad right
};
// The buttons read: every one named above.
constexpr int kButtonsRead = 17;
// A digital button the browser reports only by its value counts past half.
constexpr float kPressedValue = 0.5f;

struct ButtonValues {
    float value, pressed;
};
static_assert(sizeof(ButtonValues) == 2 * sizeof(float), "the page writes the values as one float array");

bool gFeeding = false;
double gLastMs = 0;
// The quit button (Back, unless chosen otherwise) as last read, and the
// pad's timestamp when it was first seen down: the time the pad's state last
// changed, its press at the earliest.
bool gQuitDown = false;
double gQuitDownMs = 0;
// Let go before it quits, the quit button asks for the settings.
bool gQuitTapped = false;

double PadTime(double stamp, double now) { return stamp > 0 && stamp <= now ? stamp : now; }

// How long the quit button has been held by the pad's own clock, not the
// page's reads: a page stalled while it is brushed counts only the brush.
uint32_t QuitHeldMs(bool down, double stamp, double now) {
    if (down && !gQuitDown) gQuitDownMs = PadTime(stamp, now);
    if (!down && gQuitDown) gQuitTapped = PadTime(stamp, now) - gQuitDownMs < platform::kBackHoldMs;
    gQuitDown = down;
    return down ? static_cast<uint32_t>(now - gQuitDownMs) : 0;
}

}  // namespace

void PumpGamepad() {
    float axes[kAxes] = {};
    ButtonValues buttons[kButtonsRead] = {};
    double stamp = 0;
    bool present = kv_read_pad(axes, kAxes, &buttons[0].value, kButtonsRead, &stamp) != 0;
    if (!present || !platform::IsForeground()) {
        if (gFeeding) platform::HostPadGone();
        gFeeding = false;
        gQuitDown = false;
        return;
    }
    platform::PadReading pad;
    pad.leftX = axes[0];
    pad.leftY = axes[1];
    pad.rightX = axes[2];
    pad.rightY = axes[3];
    pad.leftTrigger = buttons[kLeftTrigger].value;
    pad.rightTrigger = buttons[kRightTrigger].value;
    for (int i = 0; i < platform::kPadButtons; ++i) {
        const ButtonValues& b = buttons[kStandardButton[i]];
        pad.buttons[i] = b.pressed != 0 || b.value > kPressedValue;
    }
    double now = kv_now();
    pad.quitHeldMs = QuitHeldMs(pad.buttons[platform::settings::Active().padQuit], stamp, now);
    // Whole milliseconds go to the pad; the fraction waits for the next look.
    uint32_t elapsed = 0;
    if (gFeeding && now > gLastMs) elapsed = static_cast<uint32_t>(now - gLastMs);
    else gLastMs = now;
    gLastMs += elapsed;
    gFeeding = true;
    // The pad may move the crosshair where a touch would not know it.
    CrosshairMovedElsewhere();
    platform::HostPad(pad, elapsed);
    if (!gQuitTapped) return;
    gQuitTapped = false;
    ShowSettings();
    // The time in the dialog is no time the sticks were held.
    gLastMs = kv_now();
}

}  // namespace webhost
