// One of the game's sounds as the native mixer makes it, for the browser
// test to compare the page's output with: raw 16-bit little-endian mono on
// stdout.
//   web_mix_reference shot|reload|click|wrong|hit1|hit2|hit3|intro RATE FRAMES
// INTRO loops, the others play once, as the game plays them; each starts
// from a silent mixer.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/host_events.h"
#include "sound/sound_bank.h"

namespace {

// Far more than any sound of the game lasts.
constexpr long kMostFrames = 48000L * 60;

struct Sound {
    const char* name;
    SoundSample* SoundBank::*sample;
};
constexpr Sound kSounds[] = {
    {"shot", &SoundBank::shot},
    {"reload", &SoundBank::reload},
    {"click", &SoundBank::click},
    {"wrong", &SoundBank::wrong},
    {"hit1", &SoundBank::hit1},
    {"hit2", &SoundBank::hit2},
    {"hit3", &SoundBank::hit3},
    {"intro", &SoundBank::intro},
};

int Usage() {
    std::fputs("usage: web_mix_reference shot|reload|click|wrong|hit1|hit2|hit3|intro RATE FRAMES\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return Usage();
    const Sound* sound = nullptr;
    for (const Sound& s : kSounds) {
        if (std::strcmp(argv[1], s.name) == 0) sound = &s;
    }
    if (!sound) return Usage();
    const bool intro = sound->sample == &SoundBank::intro;
    const long rate = std::strtol(argv[2], nullptr, 10);
    const long frames = std::strtol(argv[3], nullptr, 10);
    if (rate < 8000 || rate > 192000 || frames <= 0 || frames > kMostFrames) return Usage();

    headless::Reset();
    headless::SetTickStep(0);
    SoundBank bank;
    if (bank.Create(nullptr) != 1) return 1;
    SoundSample* sample = bank.*(sound->sample);
    if (!SoundSample::Play(sample, intro ? DSBPLAY_LOOPING : 0)) return 1;
    std::vector<int16_t> out(static_cast<size_t>(frames));
    platform::MixAudio(out.data(), static_cast<int>(frames), static_cast<int>(rate));
    std::vector<unsigned char> bytes;
    for (int16_t v : out) {
        bytes.push_back(static_cast<unsigned char>(static_cast<uint16_t>(v) & 0xff));
        bytes.push_back(static_cast<unsigned char>(static_cast<uint16_t>(v) >> 8));
    }
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() ? 0 : 1;
}
