// How a host hands the platform its controller: one reading per frame with
// the time since the previous one, and word when the controller is gone.
#pragma once

#include <cstdint>

#include "platform/controls/pad_reading.h"

namespace platform {

// Moves the mouse and presses its buttons and keys as the pad asks.
void HostPad(const PadReading& pad, uint32_t elapsedMs);

// The pad was unplugged or input left the window: everything it held is
// released, and its next reading starts afresh.
void HostPadGone();

}  // namespace platform
