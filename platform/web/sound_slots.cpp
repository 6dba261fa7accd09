// The worklet's slots as the game's side keeps them.
#include "platform/web/sound_slots.h"

namespace webhost {

namespace {

using platform::mixer::Change;
using platform::mixer::Voice;

int SlotOf(const SoundSlots& slots, const Voice* voice) {
    for (int i = 0; i < kSoundSlots; ++i)
        if (slots.voices[i] == voice) return i;
    return -1;
}

int SharedWith(const SoundSlots& slots, const Voice& voice) {
    if (!voice.data) return 0;
    for (int i = 0; i < kSoundSlots; ++i)
        if (slots.voices[i] != nullptr && slots.voices[i] != &voice && slots.voices[i]->data == voice.data)
            return i + 1;
    return 0;
}

}  // namespace

void Clear(SoundSlots& slots) {
    for (const Voice*& voice : slots.voices) voice = nullptr;
}

Told Tell(SoundSlots& slots, Change change, const Voice& voice, uint32_t arg) {
    Told told;
    told.slot = SlotOf(slots, &voice);
    told.arg = static_cast<int32_t>(arg);
    if (change == Change::Attach) {
        if (told.slot >= 0) return {};
        told.slot = SlotOf(slots, nullptr);
        if (told.slot < 0) return {};
        // A duplicate shares its original's sound there too, so that a
        // refill of either reaches both.
        told.arg = SharedWith(slots, voice);
        slots.voices[told.slot] = &voice;
    }
    if (told.slot < 0) return {};
    told.sent = true;
    told.changes = ++slots.changes[told.slot];
    told.bytes = (change == Change::Attach && told.arg == 0 && voice.data) || change == Change::Refill;
    if (change == Change::Detach) slots.voices[told.slot] = nullptr;
    return told;
}

const Voice* Reported(const SoundSlots& slots, int slot, int32_t changes) {
    if (slot < 0 || slot >= kSoundSlots || slots.changes[slot] != changes) return nullptr;
    return slots.voices[slot];
}

}  // namespace webhost
