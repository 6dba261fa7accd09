// The record of sound buffers played, stopped and run out, for the tests.
#include "platform/inspect.h"
#include "platform/mixer.h"

namespace platform::mixer {
namespace {

// A long run forgets its oldest events rather than grow without bound.
constexpr size_t kMaxEvents = 1 << 16;

// Never destroyed: buffers may still be stopped by static destructors at exit.
std::vector<inspect::SoundEvent>& Events() {
    static auto* events = new std::vector<inspect::SoundEvent>;
    return *events;
}

void Append(const inspect::SoundEvent& event) {
    auto& events = Events();
    if (events.size() >= kMaxEvents) events.erase(events.begin(), events.begin() + kMaxEvents / 2);
    events.push_back(event);
}

// The last stamped event, from which the mixer counts the ticks of its own.
constinit uint32_t anchorTick = 0;
constinit uint64_t anchorFrame = 0;

}  // namespace

void RecordEvent(inspect::SoundEvent::Kind kind, const IDirectSoundBuffer* buffer, uint32_t tick, bool looping,
                 bool wasPlaying) {
    anchorTick = tick;
    anchorFrame = MixedFrames();
    Append({kind, buffer, tick, looping, wasPlaying});
}

void RecordFinished(const IDirectSoundBuffer* buffer, uint64_t mixedFrame, int sampleRate) {
    uint64_t since = mixedFrame > anchorFrame ? mixedFrame - anchorFrame : 0;
    uint32_t tick = anchorTick + uint32_t(since * 1000 / uint64_t(sampleRate));
    Append({inspect::SoundEvent::Finished, buffer, tick, false, true});
}

}  // namespace platform::mixer

namespace platform::inspect {

const std::vector<SoundEvent>& SoundEvents() { return mixer::Events(); }

void ClearSoundEvents() {
    std::lock_guard<std::mutex> guard(mixer::Lock());
    mixer::Events().clear();
}

}  // namespace platform::inspect
