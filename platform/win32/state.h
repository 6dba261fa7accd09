// The window, its class and the message queue, shared by the files of
// platform/win32/ and reset by the headless host between runs.
#pragma once

#include <windows.h>

#include <deque>

namespace platform::win32 {

struct WindowClass {
    bool registered = false;
    char name[64] = {};
    WNDPROC procedure = nullptr;
    HINSTANCE instance = nullptr;
};

// One window at a time: the game never makes a second.
struct Window {
    bool alive = false;
    bool destroying = false;
    bool visible = false;
    WNDPROC procedure = nullptr;
    HINSTANCE instance = nullptr;
};

struct MessageQueue {
    std::deque<MSG> posted;
    bool quitPending = false;
    int quitCode = 0;
};

WindowClass& RegisteredClass();
Window& TheWindow();
MessageQueue& Queue();

// The handle of the window while it is alive, else null.
HWND LiveWindow();
bool IsLiveWindow(HWND hwnd);

// Call the window procedure directly, as SendMessage would.
LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Case-insensitive ASCII comparison, as Win32 compares class and resource names.
bool SameName(const char* a, const char* b);

// The cursor set last goes back to the arrow (handles.cpp).
void ResetCursor();

// Back in the foreground with no Alt held (host_events.cpp).
void ResetHostKeys();

// Forget the class, the window, the queue, the cursor and the key state.
void ResetWindowing();

}  // namespace platform::win32
