// Sound out: an AudioWorklet plays what the game's thread mixes here, a
// little ahead of time, whenever the browser hands the game back its turn.
// No other thread touches the mixer.
#include <cstdint>

#include "platform/host.h"
#include "platform/host_events.h"
#include "platform/web/browser.h"
#include "platform/web/web_host.h"

namespace webhost {

namespace {

// The most frames mixed in one go; the output asks for about 60 ms.
constexpr int kMostFrames = 8192;
constexpr float kFullScale = 32768.0f;

int gRate = 0;
int16_t gMixed[kMostFrames];
float gSamples[kMostFrames];

}  // namespace

void FeedAudio() {
    if (gRate == 0) return;
    int frames = kv_audio_wanted();
    if (frames <= 0) return;
    if (frames > kMostFrames) frames = kMostFrames;
    platform::MixAudio(gMixed, frames, gRate);
    for (int i = 0; i < frames; ++i) gSamples[i] = static_cast<float>(gMixed[i]) / kFullScale;
    kv_audio_push(gSamples, frames);
}

}  // namespace webhost

namespace host {

bool OpenAudio(int* sampleRate) {
    if (webhost::gRate == 0) webhost::gRate = kv_audio_open();
    if (webhost::gRate == 0) return false;
    if (sampleRate) *sampleRate = webhost::gRate;
    return true;
}

void CloseAudio() {
    if (webhost::gRate == 0) return;
    kv_audio_close();
    webhost::gRate = 0;
}

}  // namespace host
