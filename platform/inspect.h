// Read-only views into the platform layer's state, for tests and the soak run.
#pragma once

#include <cstdint>
#include <vector>

struct IDirectSoundBuffer;

namespace platform::inspect {

struct SoundEvent {
    enum Kind { Play, Stop, Finished } kind;
    const IDirectSoundBuffer* buffer;
    uint32_t tick;      // GetTickCount at the event
    bool looping;
    bool wasPlaying;    // Stop: whether the buffer was sounding
};
// Every Play and Stop since the last Clear, and buffers that ran out.
const std::vector<SoundEvent>& SoundEvents();
void ClearSoundEvents();

// Live objects of each kind, to check that everything is released.
int LiveSurfaces();
int LiveSoundBuffers();
int LiveInputDevices();
int LiveBitmaps();

}  // namespace platform::inspect
