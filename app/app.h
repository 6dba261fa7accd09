// The application shell: entry, window, message loop and frame pacing.
#pragma once

#include <windows.h>

#include <cstdint>

extern uint32_t frameCount;     // frames presented since start
extern uint32_t lastFrameTick;  // tick when the previous frame was released
extern int32_t anyKeyDown;      // 1 after a key with no meaning of its own

int InitApplication(HINSTANCE hInstance, int nCmdShow);
LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Last step of every frame: wait until 10 ms have passed since the previous
// one, count the frame and flip it to the screen.
void PaceAndPresent();
