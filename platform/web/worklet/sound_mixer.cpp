// The platform's mixer once more, built on its own into the small module the
// page's audio worklet runs: the game's thread sends it each change it makes
// to a voice, and the worklet mixes on the browser's audio thread, so a
// sound starts within a render quantum of the game playing it. Voices are
// known by the slot the game's side gave them. The worklet's script holds no
// number of its own: the slot count, the longest render and the meaning of
// each change are this module's, asked for at start.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "platform/dsound/mixer.h"
#include "platform/host_events.h"
#include "platform/web/sound_slots.h"

namespace platform::mixer {
// Sound events are the game side's; nothing here reads them.
void RecordFinished(const IDirectSoundBuffer*, uint64_t, int) {}
}  // namespace platform::mixer

namespace {

using namespace platform::mixer;

using webhost::kSoundSlots;
// The most frames one render asks for.
constexpr int kMostFrames = 1024;
constexpr float kFullScale = 32768.0f;

Voice gVoices[kSoundSlots];
bool gAttached[kSoundSlots];
int16_t gMixed[kMostFrames];
float gOut[kMostFrames];
int32_t gRanOut[kSoundSlots];

Voice* At(int slot) { return slot >= 0 && slot < kSoundSlots && gAttached[slot] ? &gVoices[slot] : nullptr; }

// sharedWith: the slot, plus one, whose sound the new voice shares, as a
// duplicate shares its original's; 0 for a sound of its own.
void Made(int slot, int sharedWith) {
    if (slot < 0 || slot >= kSoundSlots || gAttached[slot]) return;
    gVoices[slot] = Voice{};
    if (Voice* original = At(sharedWith - 1)) gVoices[slot].data = original->data;
    else gVoices[slot].data = std::make_shared<SoundData>();
    gAttached[slot] = true;
    Attach(gVoices[slot]);
}

void Freed(Voice& v, int slot) {
    Detach(v);
    v = Voice{};
    gAttached[slot] = false;
}

}  // namespace

extern "C" {

int kvm_slots() { return kSoundSlots; }
int kvm_most_frames() { return kMostFrames; }

// Room for a sound's bytes, filled by the worklet before kvm_refill.
void* kvm_alloc(int bytes) { return bytes > 0 ? std::malloc(size_t(bytes)) : nullptr; }
void kvm_free(void* p) { std::free(p); }

// One change the game's side made to the slot's voice, in the mixer's own
// numbering (platform::mixer::Change); a refill comes with its bytes.
void kvm_change(int change, int slot, int32_t arg) {
    if (change == int(Change::Attach)) {
        Made(slot, arg);
        return;
    }
    Voice* v = At(slot);
    if (v == nullptr) return;
    switch (Change(change)) {
    case Change::Detach: Freed(*v, slot); break;
    case Change::Start: Start(*v, arg != 0); break;
    case Change::Cut: Cut(*v); break;
    case Change::Seek: Seek(*v, uint32_t(arg)); break;
    default: break;
    }
}

// The slot's sound is now these bytes (copied) in this layout, and so is
// every duplicate's.
void kvm_refill(int slot, int rate, int channels, int bits, const uint8_t* bytes, int size) {
    Voice* v = At(slot);
    if (v == nullptr || size < 0 || (size > 0 && bytes == nullptr)) return;
    if ((channels != 1 && channels != 2) || (bits != 8 && bits != 16) || rate <= 0) return;
    SoundData& data = *v->data;
    data.format.rate = uint32_t(rate);
    data.format.channels = uint16_t(channels);
    data.format.bits = uint16_t(bits);
    data.bytes.assign(bytes, bytes + size);
    data.Rebuild();
}

// The player's volume, mute as 0.
void kvm_level(int percent) { SetLevel(percent); }

float* kvm_output() { return gOut; }
const int32_t* kvm_ran_out() { return gRanOut; }

// Mixes frames (at most kMostFrames) into kvm_output() as samples in -1..1;
// returns how many voices ran out, their slots in kvm_ran_out().
int kvm_mix(int frames, int rate) {
    if (frames <= 0 || frames > kMostFrames) return 0;
    bool playing[kSoundSlots];
    for (int i = 0; i < kSoundSlots; ++i) playing[i] = gAttached[i] && gVoices[i].playing;
    platform::MixAudio(gMixed, frames, rate);
    for (int i = 0; i < frames; ++i) gOut[i] = float(gMixed[i]) / kFullScale;
    int ranOut = 0;
    for (int i = 0; i < kSoundSlots; ++i)
        if (playing[i] && !gVoices[i].playing) gRanOut[ranOut++] = i;
    return ranOut;
}

}  // extern "C"
