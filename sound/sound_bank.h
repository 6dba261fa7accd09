// The DirectSound object and the game's eight sounds.
#pragma once

#include "sound/sound_sample.h"

class SoundBank {
public:
    ~SoundBank();

    int Create(HWND window);
    void Release();

    LPDIRECTSOUND directSound = nullptr;
    SoundSample* shot = nullptr;
    SoundSample* click = nullptr;
    SoundSample* reload = nullptr;
    SoundSample* hit1 = nullptr;
    SoundSample* hit2 = nullptr;
    SoundSample* hit3 = nullptr;
    SoundSample* wrong = nullptr;
    SoundSample* intro = nullptr;
};

// Stop a sample and play it again from its start.
void RestartSound(SoundSample* sample);
