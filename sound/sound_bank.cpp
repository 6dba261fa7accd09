// SoundBank: the DirectSound device and the game's eight samples.
#include "sound/sound_bank.h"

#include <initializer_list>

namespace {

constexpr LPCSTR kFailureText = "Failed to initialise the sound";
constexpr LPCSTR kCaption = "Kalvenor";
// Every sound has one buffer: a sound still playing is not started twice.
constexpr int kBuffersPerSample = 1;

}  // namespace

SoundBank::~SoundBank() { Release(); }

int SoundBank::Create(HWND window) {
    if (FAILED(DirectSoundCreate(nullptr, &directSound, nullptr))) {
        directSound = nullptr;
    } else if (FAILED(directSound->SetCooperativeLevel(window, DSSCL_NORMAL))) {
        directSound->Release();
        directSound = nullptr;
    }
    if (directSound == nullptr) {
        MessageBoxA(window, kFailureText, kCaption, MB_OK);
        return 0;
    }
    wrong = SoundSample::Create(directSound, "WRONG", kBuffersPerSample);
    shot = SoundSample::Create(directSound, "SHOT", kBuffersPerSample);
    intro = SoundSample::Create(directSound, "INTRO", kBuffersPerSample);
    click = SoundSample::Create(directSound, "CLICK", kBuffersPerSample);
    reload = SoundSample::Create(directSound, "RELOAD", kBuffersPerSample);
    hit1 = SoundSample::Create(directSound, "HIT1", kBuffersPerSample);
    hit2 = SoundSample::Create(directSound, "HIT2", kBuffersPerSample);
    hit3 = SoundSample::Create(directSound, "HIT3", kBuffersPerSample);
    return 1;
}

void SoundBank::Release() {
    if (directSound == nullptr) return;
    for (SoundSample** sample : {&shot, &wrong, &click, &reload, &hit1, &hit2, &hit3, &intro}) {
        SoundSample::Destroy(*sample);
        *sample = nullptr;
    }
    directSound->Release();
    directSound = nullptr;
}
