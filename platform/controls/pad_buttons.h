// What a controller's buttons mean to the game, as mouse buttons, keys and
// one-pixel nudges; the same for every host.
#pragma once

#include <cstdint>

#include "platform/controls/pad_reading.h"

namespace platform {

// The quit button must be held this long, so a brushed Back ends no game.
constexpr uint32_t kBackHoldMs = 1000;

struct PadButtonState {
    bool held[kPadButtons] = {};  // as last read
};

// What the pad asks of the game: each as a level, and whether it was
// pressed anew since the last reading (held now or already let go).
enum PadAction { kActFire, kActReload, kActNewGame, kActQuit, kPadActions };

struct PadIntent {
    bool held[kPadActions] = {};
    bool pressed[kPadActions] = {};
    int32_t nudgeX = 0, nudgeY = 0;  // of d-pad presses just made
};

// Fire is the left mouse button, reload the right, a new game F1, quit
// Escape; which buttons do each is the player's choice.
PadIntent ReadPadButtons(PadButtonState* state, const PadReading& pad);

}  // namespace platform
