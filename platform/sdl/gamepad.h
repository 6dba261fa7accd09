// The SDL host's controller: the first one plugged in plays, read once a
// pump and handed to the platform's shared pad code.
#pragma once

#include <cstdint>

namespace sdlhost {

// Takes up the first controller plugged in (SDL's controller support is
// started on the first call, reading SDL_GAMECONTROLLERCONFIG), lets go of
// one unplugged, and hands on what it holds with the time since the last
// look. Out of the front, the pad's input is released and held back.
void PumpGamepad(int64_t nowMs, bool inFront);

// Releases what the controller held and closes it.
void StopGamepad();

}  // namespace sdlhost
