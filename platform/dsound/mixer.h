// Our own software mixer behind the DirectSound stand-in. Every sound
// buffer's playback state lives in a Voice here, guarded by one lock, because
// a host pulls mixed sound (MixAudio) from its own audio thread while the game
// plays and stops buffers from the main one.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/inspect.h"

namespace platform::mixer {

// Output samples over which a sound fades in when it starts and fades out
// when it is stopped, cut or runs out: too short to be heard as a fade, long
// enough that the step is not heard as a click.
constexpr int kFadeFrames = 64;

struct PcmFormat {
    uint32_t rate = 0;      // frames per second
    uint16_t channels = 0;  // 1 or 2
    uint16_t bits = 0;      // 8 (unsigned) or 16 (signed little-endian)
    uint32_t FrameBytes() const { return uint32_t(channels) * bits / 8u; }
};

// Sample bytes, shared by a buffer and its duplicates, and the same sound as
// the mixer reads it.
struct SoundData {
    PcmFormat format;
    std::vector<uint8_t> bytes;
    // Per frame the mono 16-bit value and the step to the next frame's, so
    // that interpolating costs one fetch; built again whenever bytes change.
    std::vector<int32_t> frames;
    uint32_t frameCount = 0;
    void Rebuild();
};

struct Voice {
    std::shared_ptr<SoundData> data;
    const IDirectSoundBuffer* owner = nullptr;  // as named in sound events
    uint64_t position = 0;        // source frames, 32.32 fixed point
    bool playing = false;
    bool looping = false;
    bool lost = false;            // the device took the memory: silent until restored
    int fadeIn = 0;               // output samples of fade-in still to come
    int32_t lastOut = 0;          // the voice's last mixed sample, where a cut fades from
    int32_t tailLevel = 0;        // the fade-out after a cut: start level ...
    int tailLeft = 0;             // ... and output samples still to come
    Voice* prev = nullptr;
    Voice* next = nullptr;
};

// Guards every Voice, every SoundData and the sound event record.
std::mutex& Lock();

// The calls below expect Lock() to be held.
void Attach(Voice& voice);
void Detach(Voice& voice);
Voice* FirstVoice();
// Sound from the current position (fading in if it was silent); a playing
// voice goes on where it is with the new looping choice.
void Start(Voice& voice, bool looping);
// Silence at once, keeping the position; what was sounding fades out.
void Cut(Voice& voice);
// Jump to a source frame; a sounding voice fades across the jump.
void Seek(Voice& voice, uint32_t frame);
// The voice's sound data was written.
void Refilled(Voice& voice);
// A voice whose sound is mixed elsewhere ran out there: stopped and rewound,
// as if this mixer had played it to its end.
void RanOut(Voice& voice);

// A host whose sound is mixed away from the game's thread (a browser's audio
// thread) is told of every change made to a voice, to make the same change
// there; the calls above make it, with Lock() held.
enum class Change { Attach, Detach, Refill, Start, Cut, Seek };
using ChangeHook = void (*)(Change change, const Voice& voice, uint32_t arg);
void SetChangeHook(ChangeHook hook);

// Sound events: Play and Stop from the game's thread stamped with its
// GetTickCount, Finished from the mixer stamped with the tick its end stands
// for (counted in mixed samples from the last stamped event, so the mixer
// never reads the clock itself).
void RecordEvent(inspect::SoundEvent::Kind kind, const IDirectSoundBuffer* buffer, uint32_t tick, bool looping,
                 bool wasPlaying);
void RecordFinished(const IDirectSoundBuffer* buffer, uint64_t mixedFrame, int sampleRate);
// The mix's level in percent, applied before the limiter (100: as mixed).
void SetLevel(int percent);

// Samples mixed since start-up; the next MixAudio begins with this one.
uint64_t MixedFrames();

}  // namespace platform::mixer
