// A wave resource with one or more static sound buffers that play it.
#pragma once

#include "sound/wave.h"

#include <cstdint>

struct SoundSample {
    BYTE* waveData;
    DWORD waveSize;
    int32_t bufferCount;
    int32_t currentBuffer;
    LPDIRECTSOUNDBUFFER* buffers;  // bufferCount slots, in the same block

    static SoundSample* Create(LPDIRECTSOUND directSound, LPCSTR name, int buffers);
    static void Destroy(SoundSample* sample);
    static LPDIRECTSOUNDBUFFER FreeBuffer(SoundSample* sample);
    static bool Play(SoundSample* sample, DWORD flags);
    static bool Stop(SoundSample* sample);
};
