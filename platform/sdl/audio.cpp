// Sound out: an SDL device whose callback pulls the platform's mix. Small
// callbacks keep a shot within a frame or two of its muzzle flash. While the
// settings menu holds the game's sound, only the menu's tone is heard.
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/host.h"
#include "platform/host_events.h"
#include "platform/sdl/audio_preview.h"
#include "platform/sdl/host_state.h"

namespace sdlhost {

namespace {

constexpr int kPreferredRate = 44100;
constexpr Uint16 kFramesPerCallback = 512;

// The tone that lets the player hear a volume while choosing it.
constexpr double kToneHz = 660.0;
constexpr double kToneSeconds = 0.15;
constexpr double kToneFullScale = 8000.0;
constexpr double kTwoPi = 6.283185307179586;

int gRate = kPreferredRate;
std::atomic<bool> gGameSoundHeld{false};
std::atomic<int> gToneAsked{0};  // frames of tone asked for, taken by the callback
std::atomic<int> gToneLevel{0};
// The callback's own.
int gToneLeft = 0;
int gTonePhase = 0;

void Callback(void*, Uint8* stream, int len) {
    auto* out = reinterpret_cast<int16_t*>(stream);
    int frames = len / static_cast<int>(sizeof(int16_t));
    if (!gGameSoundHeld.load()) {
        platform::MixAudio(out, frames, gRate);
        return;
    }
    if (int asked = gToneAsked.exchange(0); asked > 0) {
        gToneLeft = asked;
        gTonePhase = 0;
    }
    double amplitude = kToneFullScale * gToneLevel.load() / 100.0;
    for (int i = 0; i < frames; ++i) {
        out[i] = 0;
        if (gToneLeft <= 0) continue;
        --gToneLeft;
        out[i] = static_cast<int16_t>(amplitude * std::sin(kTwoPi * kToneHz * gTonePhase++ / gRate));
    }
}

}  // namespace

void HoldGameSound(bool held) {
    gGameSoundHeld.store(held);
    if (!held) gToneAsked.store(0);
}

void PlayPreviewTone(int levelPercent) {
    gToneLevel.store(levelPercent);
    gToneAsked.store(static_cast<int>(kToneSeconds * gRate));
}

}  // namespace sdlhost

namespace host {

bool OpenAudio(int* sampleRate) {
    sdlhost::HostState& s = sdlhost::State();
    if (s.audio == 0) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            SDL_Log("kalvenor: no audio: %s", SDL_GetError());
            return false;
        }
        SDL_AudioSpec want{}, have{};
        want.freq = sdlhost::kPreferredRate;
        want.format = AUDIO_S16SYS;
        want.channels = 1;
        want.samples = sdlhost::kFramesPerCallback;
        want.callback = sdlhost::Callback;
        s.audio = SDL_OpenAudioDevice(nullptr, 0, &want, &have,
                                       SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_SAMPLES_CHANGE);
        if (s.audio == 0) {
            SDL_Log("kalvenor: cannot open the audio device: %s", SDL_GetError());
            return false;
        }
        sdlhost::gRate = have.freq;
        // What the device granted, which may not be what was asked for.
        if (std::getenv("KALVENOR_DEBUG") != nullptr)
            std::fprintf(stderr, "kalvenor: audio %s, %d Hz, %d frames per callback (%.1f ms)\n",
                         SDL_GetCurrentAudioDriver(), have.freq, have.samples,
                         have.freq > 0 ? 1000.0 * have.samples / have.freq : 0.0);
        SDL_PauseAudioDevice(s.audio, 0);
    }
    if (sampleRate) *sampleRate = sdlhost::gRate;
    return true;
}

void CloseAudio() {
    sdlhost::HostState& s = sdlhost::State();
    if (s.audio == 0) return;
    SDL_CloseAudioDevice(s.audio);
    s.audio = 0;
}

}  // namespace host
