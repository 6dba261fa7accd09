#include "platform/sdl/host_state.h"

#include "platform/host.h"
#include "platform/sdl/gamepad.h"

#include <cstdio>
#include <cstring>

namespace sdlhost {

HostState& State() {
    static HostState state;
    return state;
}

bool EnsureVideo() {
    HostState& s = State();
    if (s.videoTried) return s.videoReady;
    s.videoTried = true;
    // The game reads raw relative motion, one unit per pixel, whatever the
    // window's size; and it paces itself, so presents never wait for vsync.
    SDL_SetHint(SDL_HINT_MOUSE_RELATIVE_SCALING, "0");
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "kalvenor: no display: %s\n", SDL_GetError());
        return false;
    }
    // SDL falls back to drivers that show nothing; a player without a
    // screen should hear so rather than get an invisible game.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    bool invisible = driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
    if (invisible && !(asked && std::strcmp(asked, driver) == 0)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    s.videoReady = true;
    return true;
}

void Shutdown() {
    host::CloseAudio();
    host::WindowShown(false);
    StopGamepad();
    SDL_Quit();
}

}  // namespace sdlhost
