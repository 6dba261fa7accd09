// RIFF WAVE images inside the executable's "WAV" resources.
#pragma once

#define DIRECTSOUND_VERSION 0x0300
#include <windows.h>
#include <dsound.h>

// Find the first "fmt " and "data" chunks of the wave image of imageSize
// bytes. Each output may be null (not wanted). True when all wanted were
// found; nothing outside the image is read.
bool ParseWave(const void* image, DWORD imageSize, WAVEFORMATEX** format, BYTE** data, DWORD* dataSize);

bool FindWaveResource(HMODULE module, LPCSTR name, WAVEFORMATEX** format, BYTE** data, DWORD* dataSize);

LPDIRECTSOUNDBUFFER LoadSoundBuffer(LPDIRECTSOUND directSound, LPCSTR name);
bool FillSoundBuffer(LPDIRECTSOUNDBUFFER buffer, const BYTE* data, DWORD size);
