// The SDL host's controller: the first one plugged in plays, read once a
// pump and handed to the platform's shared pad code, with the presses its
// button events latched in between.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace sdlhost {

// Takes up the first controller plugged in (SDL's controller support is
// started on the first call, reading SDL_GAMECONTROLLERCONFIG), lets go of
// one unplugged, and hands on what it holds with the time since the last
// look. Out of the front, the pad's input is released and held back.
void PumpGamepad(int64_t nowMs, bool inFront);

// A controller's button went down or up at `atMs`, on the clock PumpGamepad
// is given: a press is kept for the next look even if let go before it, and
// Back's hold is timed from these.
void PadButtonEvent(const SDL_ControllerButtonEvent& button, int64_t atMs);

// The controller plays again only once every button is let go, and what was
// pressed meanwhile is dropped: the button that closed the menu is no shot.
void HoldPadUntilLetGo();

// Releases what the controller held and closes it.
void StopGamepad();

}  // namespace sdlhost
