// How many voices the page's sound worklet holds, as both the game's side
// and the worklet's mixer number them.
#pragma once

namespace webhost {

constexpr int kSoundSlots = 64;

}  // namespace webhost
