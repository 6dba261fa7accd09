// From SDL's keyboard positions to the codes the game reads, by the key table
// every host shares: SDL's scancodes are the keys' HID usages.
#pragma once

#include <SDL2/SDL_scancode.h>

#include "platform/controls/key_table.h"

namespace sdlhost {

using platform::KeyCodes;

static_assert(SDL_SCANCODE_A == 0x04 && SDL_SCANCODE_ESCAPE == 0x29 && SDL_SCANCODE_NONUSBACKSLASH == 0x64 &&
                  SDL_SCANCODE_LCTRL == 0xE0 && SDL_SCANCODE_RGUI == 0xE7,
              "SDL's scancodes are HID usages");

// The codes of a keyboard position; {0, 0} for a key we do not know.
inline KeyCodes MapScancode(int scancode) {
    return platform::CodesOf(platform::FindKeyByUsage(scancode));
}

}  // namespace sdlhost
