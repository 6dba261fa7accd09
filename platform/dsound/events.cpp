// The record of sound buffers played, stopped and run out, for the tests.
// Run-outs come from the mixer, which may be a host's audio thread: they wait
// in a fixed ring, so that the audio thread never allocates, and move to the
// record at the next play, stop or look at the record.
#include <array>

#include "platform/dsound/mixer.h"
#include "platform/inspect.h"

namespace platform::mixer {
namespace {

// A long run forgets its oldest events rather than grow without bound.
constexpr size_t kMaxEvents = 1 << 16;
// Each play moves the waiting run-outs on, so no more wait than there are
// sounds playing at once; beyond that the newest are dropped.
constexpr size_t kMaxWaiting = 256;

// Never destroyed: buffers may still be stopped by static destructors at exit.
std::vector<inspect::SoundEvent>& Events() {
    static auto* events = new std::vector<inspect::SoundEvent>;
    return *events;
}

constinit std::array<inspect::SoundEvent, kMaxWaiting> waiting{};
constinit size_t waitingCount = 0;

void Append(const inspect::SoundEvent& event) {
    auto& events = Events();
    if (events.size() >= kMaxEvents) events.erase(events.begin(), events.begin() + kMaxEvents / 2);
    events.push_back(event);
}

void MoveWaiting() {
    for (size_t i = 0; i < waitingCount; ++i) Append(waiting[i]);
    waitingCount = 0;
}

// The last stamped event, from which the mixer counts the ticks of its own.
constinit uint32_t anchorTick = 0;
constinit uint64_t anchorFrame = 0;

}  // namespace

void RecordEvent(inspect::SoundEvent::Kind kind, const IDirectSoundBuffer* buffer, uint32_t tick, bool looping,
                 bool wasPlaying) {
    anchorTick = tick;
    anchorFrame = MixedFrames();
    MoveWaiting();
    Append({kind, buffer, tick, looping, wasPlaying});
}

void RecordFinished(const IDirectSoundBuffer* buffer, uint64_t mixedFrame, int sampleRate) {
    if (waitingCount == kMaxWaiting) return;
    uint64_t since = mixedFrame > anchorFrame ? mixedFrame - anchorFrame : 0;
    uint32_t tick = anchorTick + uint32_t(since * 1000 / uint64_t(sampleRate));
    waiting[waitingCount++] = {inspect::SoundEvent::Finished, buffer, tick, false, true};
}

}  // namespace platform::mixer

namespace platform::inspect {

const std::vector<SoundEvent>& SoundEvents() {
    std::lock_guard<std::mutex> guard(mixer::Lock());
    mixer::MoveWaiting();
    return mixer::Events();
}

void ClearSoundEvents() {
    std::lock_guard<std::mutex> guard(mixer::Lock());
    mixer::waitingCount = 0;
    mixer::Events().clear();
}

}  // namespace platform::inspect
