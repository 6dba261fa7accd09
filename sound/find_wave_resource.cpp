// FindWaveResource: a wave of the custom resource type "WAV", parsed in place.
#include "sound/wave.h"

namespace {
constexpr LPCSTR kWaveType = "WAV";
}

bool FindWaveResource(HMODULE module, LPCSTR name, WAVEFORMATEX** format, BYTE** data, DWORD* dataSize) {
    if (format != nullptr) *format = nullptr;
    if (data != nullptr) *data = nullptr;
    if (dataSize != nullptr) *dataSize = 0;
    HRSRC info = FindResourceA(module, name, kWaveType);
    if (info == nullptr) return false;
    HGLOBAL loaded = LoadResource(module, info);
    if (loaded == nullptr) return false;
    void* image = LockResource(loaded);
    if (image == nullptr) return false;
    return ParseWave(image, SizeofResource(module, info), format, data, dataSize);
}
