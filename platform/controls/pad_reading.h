// One look at a controller in the standard layout, as both hosts read it:
// sticks and triggers as fractions of their travel, buttons held or not.
#pragma once

#include <cstdint>

namespace platform {

// The standard layout's buttons, in the order of SDL's controller buttons.
enum PadButton {
    kPadA,
    kPadB,
    kPadX,
    kPadY,
    kPadBack,
    kPadGuide,
    kPadStart,
    kPadLeftStick,
    kPadRightStick,
    kPadLeftShoulder,
    kPadRightShoulder,
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
    // How long the quit button (Back, unless the player chose another) has
    // been held, timed by its own down and up events (the longest hold since
    // the last reading, if it was let go), so a stall adds nothing.
    uint32_t quitHeldMs = 0;
};

// A trigger counts as pressed past half its travel.
constexpr float kTriggerPressed = 0.5f;

}  // namespace platform
