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
const Voice* gSlots[kSoundSlots];
// Changes sent per slot, so that a voice the worklet says ran out is not
// stopped here after the game has already started it again.
int32_t gChanges[kSoundSlots];

int SlotOf(const Voice* voice) {
    for (int i = 0; i < kSoundSlots; ++i)
        if (gSlots[i] == voice) return i;
    return -1;
}

void SendRefill(int slot, const Voice& voice) {
    if (!voice.data) return;
    const platform::mixer::SoundData& data = *voice.data;
    kv_sound_refill(slot, static_cast<int>(data.format.rate), data.format.channels, data.format.bits,
                    data.bytes.data(), static_cast<int>(data.bytes.size()));
}

void OnChange(Change change, const Voice& voice, uint32_t arg) {
    int slot = SlotOf(&voice);
    if (change == Change::Attach) {
        if (slot >= 0) return;
        slot = SlotOf(nullptr);
        if (slot < 0) return;
        gSlots[slot] = &voice;
        gChanges[slot] = 0;
    }
    if (slot < 0) return;
    ++gChanges[slot];
    kv_sound_change(static_cast<int>(change), slot, static_cast<int32_t>(arg), gChanges[slot]);
    if (change == Change::Attach || change == Change::Refill) SendRefill(slot, voice);
    if (change == Change::Detach) gSlots[slot] = nullptr;
}

}  // namespace

void SettleSound() {
    if (gRate == 0) return;
    int32_t slot = 0;
    int32_t changes = 0;
    while (kv_sound_ran_out(&slot, &changes)) {
        if (slot < 0 || slot >= kSoundSlots || gSlots[slot] == nullptr || gChanges[slot] != changes) continue;
        std::lock_guard<std::mutex> guard(platform::mixer::Lock());
        platform::mixer::RanOut(*const_cast<Voice*>(gSlots[slot]));
    }
}

}  // namespace webhost

namespace host {

bool OpenAudio(int* sampleRate) {
    if (webhost::gRate == 0) {
        webhost::gRate = kv_audio_open();
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
    for (const platform::mixer::Voice*& slot : webhost::gSlots) slot = nullptr;
    webhost::gRate = 0;
}

}  // namespace host
