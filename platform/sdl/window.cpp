// The window: created borderless over the whole desktop when the game shows
// it, or as the window Alt+Enter gives when the player asked for that;
// Alt+Enter switches to a whole-factor window and back without the game
// seeing any change.
#include <cstdint>

#include "platform/host.h"
#include "platform/sdl/host_state.h"
#include "platform/sdl/letterbox.h"

namespace sdlhost {

namespace {

// Focus events caused by a mode switch settle within this long.
constexpr uint32_t kModeSwitchQuietMs = 500;

// The whole desktop. Placing the window there before asking for full
// screen also covers the screen where no window manager acts on the request.
SDL_Rect DesktopBounds(int display) {
    SDL_Rect bounds{0, 0, kFrameWidth, kFrameHeight};
    SDL_GetDisplayBounds(display < 0 ? 0 : display, &bounds);
    return bounds;
}

// The largest whole multiple of the frame that fits the desktop's usable
// area: the size of the window Alt+Enter gives.
int WindowedFactor(int display) {
    SDL_Rect usable{0, 0, kFrameWidth, kFrameHeight};
    if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &usable) != 0) {
        SDL_DisplayMode mode;
        if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
            usable.w = mode.w;
            usable.h = mode.h;
        }
    }
    return WindowFactor(usable.w, usable.h, kFrameWidth, kFrameHeight);
}

void CreateWindowAndRenderer() {
    HostState& s = State();
    // Full screen unless the player asked for the window (--window).
    if (s.windowed) {
        int factor = WindowedFactor(0);
        s.window = SDL_CreateWindow("Kalvenor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kFrameWidth * factor,
                                    kFrameHeight * factor, 0);
    } else {
        SDL_Rect desktop = DesktopBounds(0);
        s.window = SDL_CreateWindow("Kalvenor", desktop.x, desktop.y, desktop.w, desktop.h,
                                    SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS);
    }
    if (!s.window) {
        SDL_Log("kalvenor: cannot create the window: %s", SDL_GetError());
        return;
    }
    SetWindowIcon(s.window);
    s.renderer = SDL_CreateRenderer(s.window, -1, SDL_RENDERER_ACCELERATED);
    if (!s.renderer) s.renderer = SDL_CreateRenderer(s.window, -1, SDL_RENDERER_SOFTWARE);
    if (!s.renderer) {
        SDL_Log("kalvenor: cannot create a renderer: %s", SDL_GetError());
        return;
    }
    SDL_SetRenderDrawColor(s.renderer, 0, 0, 0, 255);
    SDL_RenderClear(s.renderer);
    SDL_RenderPresent(s.renderer);
    s.closeSent = false;
    s.focusQuietUntil = SDL_GetTicks() + kModeSwitchQuietMs;
    ApplyMouseMode();
}

void DestroyWindowAndRenderer() {
    HostState& s = State();
    SDL_SetRelativeMouseMode(SDL_FALSE);
    if (s.texture) SDL_DestroyTexture(s.texture);
    if (s.renderer) SDL_DestroyRenderer(s.renderer);
    if (s.window) SDL_DestroyWindow(s.window);
    s.texture = nullptr;
    s.renderer = nullptr;
    s.window = nullptr;
}

}  // namespace

void ApplyMouseMode() {
    HostState& s = State();
    if (!s.window) return;
    // Relative mode captures the pointer; let it go while in the background.
    SDL_SetRelativeMouseMode(s.foreground ? SDL_TRUE : SDL_FALSE);
    SDL_ShowCursor(s.pointerVisible ? SDL_ENABLE : SDL_DISABLE);
}

void ToggleWindowed() {
    HostState& s = State();
    if (!s.window) return;
    s.focusQuietUntil = SDL_GetTicks() + kModeSwitchQuietMs;
    if (s.windowed) {
        SDL_Rect desktop = DesktopBounds(SDL_GetWindowDisplayIndex(s.window));
        SDL_SetWindowBordered(s.window, SDL_FALSE);
        SDL_SetWindowPosition(s.window, desktop.x, desktop.y);
        SDL_SetWindowSize(s.window, desktop.w, desktop.h);
        SDL_SetWindowFullscreen(s.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
        s.windowed = false;
    } else {
        int factor = WindowedFactor(SDL_GetWindowDisplayIndex(s.window));
        SDL_SetWindowFullscreen(s.window, 0);
        SDL_SetWindowBordered(s.window, SDL_TRUE);
        SDL_SetWindowSize(s.window, kFrameWidth * factor, kFrameHeight * factor);
        SDL_SetWindowPosition(s.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        s.windowed = true;
    }
    ApplyMouseMode();
    Redraw();
}

}  // namespace sdlhost

namespace host {

void WindowShown(bool shown) {
    sdlhost::HostState& s = sdlhost::State();
    if (shown) {
        if (!s.window && sdlhost::EnsureVideo()) sdlhost::CreateWindowAndRenderer();
    } else if (s.window) {
        sdlhost::StatsReport();
        sdlhost::DestroyWindowAndRenderer();
    }
}

void ShowPointer(bool visible) {
    sdlhost::State().pointerVisible = visible;
    if (sdlhost::State().window) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void ScreenSize(int* width, int* height) {
    int w = sdlhost::kFrameWidth, h = sdlhost::kFrameHeight;
    SDL_DisplayMode mode;
    if (sdlhost::EnsureVideo() && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        w = mode.w;
        h = mode.h;
    }
    if (width) *width = w;
    if (height) *height = h;
}

}  // namespace host
