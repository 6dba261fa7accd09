// Turning SDL's events into what the platform offers a host: keys, relative
// motion, buttons, focus and close; and the controller's state.
#include <cstdint>

#include "platform/host.h"
#include "platform/host_events.h"
#include "platform/sdl/gamepad.h"
#include "platform/sdl/host_state.h"
#include "platform/sdl/key_map.h"
#include "platform/sdl/menu.h"
#include "platform/sdl/tick.h"

namespace sdlhost {

namespace {

constexpr int kEventBatch = 64;

// Alt+Enter belongs to the host; its Enter is kept from the game until
// released.
bool gEnterSwallowed = false;

void OnKey(const SDL_KeyboardEvent& key) {
    bool down = key.type == SDL_KEYDOWN;
    SDL_Scancode sc = key.keysym.scancode;
    // F10 is the settings menu's, never the game's.
    if (sc == SDL_SCANCODE_F10) {
        if (down && !key.repeat) RequestMenu();
        return;
    }
    if (sc == SDL_SCANCODE_RETURN || sc == SDL_SCANCODE_KP_ENTER) {
        if (down && (key.keysym.mod & KMOD_ALT)) {
            if (!key.repeat) ToggleWindowed();
            gEnterSwallowed = true;
            return;
        }
        if (gEnterSwallowed) {
            if (!down) gEnterSwallowed = false;
            return;
        }
    }
    KeyCodes codes = MapScancode(sc);
    if (codes.vk == 0 && codes.dik == 0) return;
    platform::HostKey(codes.vk, codes.dik, down, key.repeat != 0);
}

void OnButton(const SDL_MouseButtonEvent& button) {
    if (button.which == SDL_TOUCH_MOUSEID) return;
    int index = -1;
    switch (button.button) {
        case SDL_BUTTON_LEFT: index = 0; break;
        case SDL_BUTTON_RIGHT: index = 1; break;
        case SDL_BUTTON_MIDDLE: index = 2; break;
        case SDL_BUTTON_X1: index = 3; break;
        default: return;
    }
    platform::HostMouseButton(index, button.state == SDL_PRESSED);
}

// The focus the window has now, as far as the game should know.
bool gWantForeground = true;

void OnWindow(const SDL_WindowEvent& window) {
    switch (window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED: gWantForeground = true; break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_MINIMIZED: gWantForeground = false; break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED: Redraw(); break;
        default: break;
    }
}

void SettleForeground() {
    HostState& s = State();
    if (!s.window) return;
    if (SDL_TICKS_PASSED(SDL_GetTicks(), s.focusQuietUntil)) {
        if (gWantForeground != s.foreground) {
            s.foreground = gWantForeground;
            platform::HostForeground(s.foreground);
            ApplyMouseMode();
        }
    } else {
        // A mode switch may bounce the focus; what counts is where it ends.
        uint32_t flags = SDL_GetWindowFlags(s.window);
        gWantForeground = (flags & SDL_WINDOW_INPUT_FOCUS) != 0 || s.foreground;
    }
}

}  // namespace

}  // namespace sdlhost

namespace host {

void PumpEvents() {
    sdlhost::HostState& s = sdlhost::State();
    if (!s.videoReady) return;
    SDL_PumpEvents();
    SDL_Event events[sdlhost::kEventBatch];
    // Controller events carry SDL's tick; the pad is timed on the monotonic clock.
    int64_t nowMs = sdlhost::MonotonicMs();
    uint32_t sdlNow = SDL_GetTicks();
    int count;
    while ((count = SDL_PeepEvents(events, sdlhost::kEventBatch, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT)) > 0) {
        for (int i = 0; i < count; ++i) {
            const SDL_Event& e = events[i];
            switch (e.type) {
                case SDL_QUIT:
                    if (!s.closeSent && s.window) {
                        s.closeSent = true;
                        platform::HostClose();
                    }
                    break;
                case SDL_KEYDOWN:
                case SDL_KEYUP: sdlhost::OnKey(e.key); break;
                case SDL_MOUSEMOTION:
                    if (e.motion.which != SDL_TOUCH_MOUSEID && SDL_GetRelativeMouseMode())
                        platform::HostMouseMotion(e.motion.xrel, e.motion.yrel);
                    break;
                case SDL_MOUSEBUTTONDOWN:
                case SDL_MOUSEBUTTONUP: sdlhost::OnButton(e.button); break;
                case SDL_WINDOWEVENT: sdlhost::OnWindow(e.window); break;
                case SDL_CONTROLLERBUTTONDOWN:
                case SDL_CONTROLLERBUTTONUP:
                    sdlhost::PadButtonEvent(e.cbutton, nowMs - static_cast<int32_t>(sdlNow - e.cbutton.timestamp));
                    break;
                default: break;
            }
        }
    }
    sdlhost::SettleForeground();
    // Held sticks move the crosshair on every pump, not only when an axis
    // changes.
    sdlhost::PumpGamepad(nowMs, s.foreground);
    if (sdlhost::TakeMenuRequest()) sdlhost::RunMenu();
}

}  // namespace host
