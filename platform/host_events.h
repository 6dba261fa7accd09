// What the platform layer offers a host: the way input, focus and closing
// reach the game, and the mixed sound a host plays.
#pragma once

#include <cstdint>

namespace platform {

// A key pressed (repeat true for auto-repeat) or released. vk is the Win32
// virtual-key code posted as WM_KEYDOWN / WM_KEYUP; dik the keyboard
// position that the keyboard device reports (0 for none).
void HostKey(uint32_t vk, uint8_t dik, bool down, bool repeat);

// What moves the pointer or holds a mouse button down. The game sees a
// button down while any of them holds it, and one letting go never releases
// another's hold. The player's mouse settings act on the mouse alone.
enum class InputSource { Mouse, Pad, Touch };

// Relative mouse motion in host units (one per pixel), accumulated until the
// next successful mouse read. The mouse's is scaled by the player's mouse
// speed, the fractions of a pixel carried to its next motion.
void HostMouseMotion(int32_t dx, int32_t dy, InputSource from = InputSource::Mouse);

// Mouse button 0 (left), 1 (right), 2, 3 pressed or released by `by`; the
// mouse's left and right change places when the player swapped them.
void HostMouseButton(int index, bool down, InputSource by = InputSource::Mouse);

// The window came to the front (true) or left it (false). Leaving unacquires
// the input devices and loses every DirectDraw surface; coming back lets
// Acquire and Restore succeed again.
void HostForeground(bool active);
bool IsForeground();

// A host's menu opened (true) over the game or closed: the game's clock
// stands still between, so no time passes for the game.
void HostPause(bool paused);

// The user asked to close the window: posts WM_CLOSE.
void HostClose();

// Mix `frames` mono 16-bit samples at `sampleRate` from every playing sound
// buffer into out (overwritten). Safe to call from an audio thread.
void MixAudio(int16_t* out, int frames, int sampleRate);

// The most recent frame handed to Flip (800 x 600, pitch in bytes), for a host
// that needs to draw again (window resized). Null before the first flip.
const uint16_t* LastFrame(int32_t* pitchBytes, bool* is555);

// The resource bytes of icon image `id` (RT_ICON), or null.
const uint8_t* IconImage(int id, uint32_t* size);

}  // namespace platform
