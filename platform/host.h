// The host: the few services the platform layer needs from whatever runs it.
// platform/headless/ implements it for tests, platform/sdl/ for players; the
// choice is made at link time. Nothing in the game includes this file.
#pragma once

#include <cstdint>

namespace host {

// Milliseconds since an arbitrary start, wrapping at 2^32. Must move while it
// is being polled: the game's pacing busy-waits on it. A host may make that
// wait cheap: read again within the millisecond it was last read in, the tick
// may sleep, but only until that millisecond ends, so that a reader polling it
// still sees every millisecond and a clock that jumps never stalls it. It may
// also step by more than one (a test's fake tick does), never backwards.
uint32_t TickCount();

// Deliver whatever input the host has gathered (keys, motion, focus, close)
// through the calls of host_events.h. Called whenever the message queue is
// looked at and before every device read.
void PumpEvents();

// Show one finished 800 x 600 frame of 16-bit pixels (5-6-5, or 5-5-5 when
// is555). The pixels are only valid during the call.
void PresentFrame(const uint16_t* pixels, int32_t pitchBytes, int width, int height, bool is555);

// A modal message box; returns once the user has dismissed it.
void ShowMessageBox(const char* text, const char* caption);

// Debugger output: one line per call as the game wrote it.
void DebugOutput(const char* text);

// Size of the screen in pixels, for GetSystemMetrics.
void ScreenSize(int* width, int* height);

// Start pulling mixed sound from platform::MixAudio at the returned rate.
// Returns false when there is no audio device.
bool OpenAudio(int* sampleRate);
void CloseAudio();

// The window exists (true) or was destroyed (false).
void WindowShown(bool shown);

// Whether the mouse pointer is shown over the window.
void ShowPointer(bool visible);

}  // namespace host
