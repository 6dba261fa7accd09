#include "platform/sdl/menu.h"

namespace sdlhost {

namespace {
bool gRequested = false;
}  // namespace

void RequestMenu() { gRequested = true; }

bool TakeMenuRequest() {
    bool requested = gRequested;
    gRequested = false;
    return requested;
}

}  // namespace sdlhost
