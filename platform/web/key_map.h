// From the browser's key positions (KeyboardEvent.code) to the codes the game
// reads, by the key table every host shares: each code is a key's name there.
#pragma once

#include "platform/controls/key_table.h"

namespace webhost {

using platform::KeyCodes;

// The codes of a key position; {0, 0} for a key we do not know.
inline KeyCodes MapKeyCode(const char* code) {
    return platform::CodesOf(platform::FindKeyByName(code));
}

}  // namespace webhost
