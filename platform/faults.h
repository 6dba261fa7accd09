// Fault injection, for the headless host and the tests: every way the
// operating system can let the game down that the game must survive.
#pragma once

#include <cstdint>

namespace platform::faults {

// Make the next `count` calls of the named platform function fail, e.g.
// "DirectDrawCreate", "SetDisplayMode", "CreateSurface", "GetPixelFormat",
// "DirectInputCreateA", "DirectSoundCreate", "RegisterClassExA", "Lock".
void FailNext(const char* function, int count = 1);
// True (and counts one down) when the named call is to fail now.
bool Take(const char* function);

// DirectDraw: every surface of the device is lost at once.
void LoseAllSurfaces();
// The next `count` Restore calls on the primary surface are refused.
void RefuseRestore(int count);
// The next `count` BltFast / Blt-without-wait / Flip calls answer
// DDERR_WASSTILLDRAWING without drawing.
void StillDrawing(int count);
// The display mode's layout: 5-6-5 (default) or 5-5-5.
void UseLayout555(bool is555);

// DirectSound: every buffer loses its memory.
void LoseSoundBuffers();

// DirectInput: the devices lose their acquisition (as when focus goes), and
// `count` following Acquire calls fail.
void UnacquireInput(int refusedAcquires = 0);

// Forget every pending fault and setting (between tests).
void ResetAll();

}  // namespace platform::faults
