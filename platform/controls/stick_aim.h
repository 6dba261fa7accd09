// Turning a controller's sticks into crosshair motion in whole pixels, by
// the time that passed, so the speed is the same at any frame rate.
#pragma once

#include <cstdint>

#include "platform/controls/pad_reading.h"

namespace platform {

// Full deflection crosses the 800-pixel screen in 0.8 s, at the player's
// stick speed 1.
constexpr double kStickPixelsPerSecond = 800.0 / 0.8;
// Share of the stick's travel around the centre that moves nothing.
constexpr double kStickDeadZone = 0.15;
// Speed while the left trigger is held, for exact aim.
constexpr double kFineAimFactor = 1.0 / 3.0;
// A longer gap (the game stalled) moves no further than this much time.
constexpr uint32_t kLongestAimStepMs = 250;

// Fractions of a pixel not yet moved, carried to the next step.
struct StickAim {
    double carryX = 0, carryY = 0;
};

struct AimMotion {
    int32_t dx = 0, dy = 0;
};

// The motion both sticks make together over elapsedMs.
AimMotion AimSticks(StickAim* aim, const PadReading& pad, uint32_t elapsedMs);

}  // namespace platform
