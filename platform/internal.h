// How the parts of the platform layer reach each other. Not for the game.
#pragma once

#include <cstdint>

namespace platform {

// DirectDraw (platform/ddraw/): the window left or came back to the front. While
// in the background every surface is lost and Restore of the primary fails.
void DrawOnForeground(bool active);
void ResetDrawFaults();

// DirectInput (platform/dinput/): foreground changes unacquire the devices; keys
// by keyboard position reach the keyboard device's state.
void InputOnForeground(bool active);
void InputKey(uint8_t dik, bool down);
void ResetInputFaults();

// The game's clock (platform/win32/): back to the host's tick, at full speed.
void ResetClock();

// DirectSound (platform/dsound/).
void ResetSoundFaults();

}  // namespace platform
