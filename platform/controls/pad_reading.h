// One look at a controller in the standard layout, as both hosts read it:
// sticks and triggers as fractions of their travel, buttons held or not.
#pragma once

#include <cstdint>

namespace platform {

enum PadButton {
    kPadA,
    kPadX,
    kPadRightShoulder,
    kPadStart,
    kPadBack,
    kPadUp,
    kPadDown,
    kPadLeft,
    kPadRight,
    kPadButtons
};

struct PadReading {
    // -1..1, right and down positive; values outside are clamped by the reader.
    float leftX = 0, leftY = 0, rightX = 0, rightY = 0;
    // 0 at rest .. 1 pulled all the way.
    float leftTrigger = 0, rightTrigger = 0;
    bool buttons[kPadButtons] = {};
    // Pressed since the last reading, held now or already let go: a host
    // that sees the pad's own button events latches a press shorter than a
    // frame here, as the mouse latches clicks.
    bool pressed[kPadButtons] = {};
    // How long Back has been held, timed by its own down and up events (the
    // longest hold since the last reading, if it was let go), so a stall
    // between readings adds nothing.
    uint32_t backHeldMs = 0;
};

// A trigger counts as pressed past half its travel.
constexpr float kTriggerPressed = 0.5f;

}  // namespace platform
