// Sound out: the page's audio worklet runs the platform's mixer a second
// time, on the browser's audio thread, so that a sound starts within a
// render quantum of the game playing it and a busy page never starves it.
// The game's own mixer state stays the one the game reads; every change the
// game makes to a voice is sent to the worklet, which sends back the voices
// that ran out there.
#include <cstdint>

#include "platform/dsound/mixer.h"
#include "platform/host.h"
#include "platform/host_events.h"
#include "platform/web/browser.h"
#include "platform/web/sound_slots.h"
#include "platform/web/web_host.h"

namespace webhost {

namespace {

using platform::mixer::Change;
using platform::mixer::Voice;

int gRate = 0;
SoundSlots gSlots;

void SendRefill(int slot, const Voice& voice) {
    const platform::mixer::SoundData& data = *voice.data;
    kv_sound_refill(slot, static_cast<int>(data.format.rate), data.format.channels, data.format.bits,
                    data.bytes.data(), static_cast<int>(data.bytes.size()));
}

void OnChange(Change change, const Voice& voice, uint32_t arg) {
    const Told told = Tell(gSlots, change, voice, arg);
    if (!told.sent) return;
    kv_sound_change(static_cast<int>(change), told.slot, told.arg, told.changes);
    if (told.bytes) SendRefill(told.slot, voice);
}

// Only a voice playing to its end can run out; while none does, the worklet
// is not asked, which spares the page a message a frame.
bool AnyMayRunOut() {
    std::lock_guard<std::mutex> guard(platform::mixer::Lock());
    for (const Voice* voice : gSlots.voices)
        if (voice != nullptr && voice->playing && !voice->looping) return true;
    return false;
}

}  // namespace

void SettleSound() {
    if (gRate == 0 || !AnyMayRunOut()) return;
    int32_t slot = 0;
    int32_t changes = 0;
    while (kv_sound_ran_out(&slot, &changes)) {
        const Voice* voice = Reported(gSlots, slot, changes);
        if (voice == nullptr) continue;
        std::lock_guard<std::mutex> guard(platform::mixer::Lock());
        platform::mixer::RanOut(*const_cast<Voice*>(voice));
    }
}

}  // namespace webhost

namespace host {

bool OpenAudio(int* sampleRate) {
    if (webhost::gRate == 0) {
        webhost::gRate = kv_audio_open(webhost::kSoundSlots);
        if (webhost::gRate == 0) return false;
        // The device opens before any buffer is made, so every voice is
        // told to the worklet from its start.
        std::lock_guard<std::mutex> guard(platform::mixer::Lock());
        platform::mixer::SetChangeHook(webhost::OnChange);
    }
    if (sampleRate) *sampleRate = webhost::gRate;
    return true;
}

void CloseAudio() {
    if (webhost::gRate == 0) return;
    {
        std::lock_guard<std::mutex> guard(platform::mixer::Lock());
        platform::mixer::SetChangeHook(nullptr);
    }
    kv_audio_close();
    webhost::Clear(webhost::gSlots);
    webhost::gRate = 0;
}

}  // namespace host
