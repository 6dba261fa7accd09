// The small services: the millisecond tick, message boxes, debugger output.
#include <cstdio>
#include <cstdint>
#include <cstdlib>

#include "platform/host.h"
#include "platform/sdl/host_state.h"
#include "platform/sdl/tick.h"

namespace sdlhost {
namespace {

// The millisecond the tick was last read in.
int64_t gLastReadMs = -1;

}  // namespace
}  // namespace sdlhost

namespace host {

uint32_t TickCount() {
    sdlhost::StatsTick();
    sdlhost::gLastReadMs = sdlhost::ReadTickMs(sdlhost::gLastReadMs);
    return static_cast<uint32_t>(sdlhost::gLastReadMs);
}

void ShowMessageBox(const char* text, const char* caption) {
    const char* body = text ? text : "";
    const char* title = caption ? caption : "";
    sdlhost::HostState& s = sdlhost::State();
    // The captured pointer would keep the box from being clicked.
    if (s.window) SDL_SetRelativeMouseMode(SDL_FALSE);
    if (SDL_ShowSimpleMessageBox(0, title, body, s.window) != 0) std::fprintf(stderr, "%s: %s\n", title, body);
    sdlhost::ApplyMouseMode();
}

void DebugOutput(const char* text) {
    static const bool enabled = std::getenv("KALVENOR_DEBUG") != nullptr;
    if (enabled && text) std::fputs(text, stderr);
}

}  // namespace host
