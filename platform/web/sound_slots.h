// The voices the page's sound worklet holds, by slot, as both the game's
// side and the worklet's mixer number them, with the changes sent to each
// slot so far: a report that a slot's voice ran out names the count it was
// made at, and only the voice that count belongs to is stopped by it.
#pragma once

#include <cstdint>

#include "platform/dsound/mixer.h"

namespace webhost {

constexpr int kSoundSlots = 64;

struct SoundSlots {
    const platform::mixer::Voice* voices[kSoundSlots] = {};
    // Counted on across a slot's voices, never from 0 again, so that a late
    // report from the slot's last voice matches none made after it.
    int32_t changes[kSoundSlots] = {};
};

// Every slot free, their counts going on.
void Clear(SoundSlots& slots);

// What to tell the worklet of one change to a voice: the change with its
// slot, its argument (for a new voice, the slot plus one of another sharing
// its sound, as a duplicate shares its original's; else 0) and the slot's
// count of changes so far; and whether the sound's bytes go with it.
struct Told {
    bool sent = false;  // false: the voice has no slot, all being taken
    int slot = -1;
    int32_t arg = 0;
    int32_t changes = 0;
    bool bytes = false;
};
Told Tell(SoundSlots& slots, platform::mixer::Change change, const platform::mixer::Voice& voice, uint32_t arg);
// The voice a report of (slot, changes) is about, or null when the slot's
// voice has changed since, or is another one.
const platform::mixer::Voice* Reported(const SoundSlots& slots, int slot, int32_t changes);

}  // namespace webhost
