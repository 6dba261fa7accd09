// One input event as the page queues it for the host.
#pragma once

#include <cstdint>

namespace webhost {

enum class EventKind : int32_t {
    KeyDown = 1,     // code names the key; a = 1 for auto-repeat
    KeyUp = 2,       // code names the key
    Motion = 3,      // a, b: relative motion in pixels under pointer lock
    Button = 4,      // a: button index, b: 1 pressed, 0 released
    Foreground = 5,  // a: 1 when the page came to the front, 0 when it left
    Tap = 6,         // a, b: where a finger landed on the 800 x 600 picture
    Reload = 7,      // the Reload control
    Drag = 8,        // a, b: where a moving finger is now on the picture
    Settings = 9,    // the player asked for the settings dialog
};

// Read by the page's script at fixed offsets; keep the layout.
struct WebEvent {
    EventKind kind;
    int32_t a;
    int32_t b;
    char code[32];  // KeyboardEvent.code, NUL-terminated
};

}  // namespace webhost
