// What a controller's buttons mean to the game, as mouse buttons, keys and
// one-pixel nudges; the same for every host.
#pragma once

#include <cstdint>

#include "platform/controls/pad_reading.h"

namespace platform {

// Back must be held this long to quit, so a brushed Back ends no game.
constexpr uint32_t kBackHoldMs = 1000;

struct PadButtonState {
    uint32_t backHeldMs = 0;
    bool dpad[4] = {};  // up, down, left, right as last read
};

// Levels the pad asks for now, and the nudge of d-pad presses just made.
struct PadIntent {
    bool fire = false;     // left mouse button
    bool reload = false;   // right mouse button
    bool newGame = false;  // F1
    bool quit = false;     // Escape
    int32_t nudgeX = 0, nudgeY = 0;
};

PadIntent ReadPadButtons(PadButtonState* state, const PadReading& pad, uint32_t elapsedMs);

}  // namespace platform
