// LoadSoundBuffer and FillSoundBuffer: a wave resource copied into a new
// static DirectSound buffer.
#include <algorithm>
#include <cstring>

#include "sound/wave.h"

namespace {
constexpr DWORD kBufferFlags = DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME |
                               DSBCAPS_GETCURRENTPOSITION2;
}

LPDIRECTSOUNDBUFFER LoadSoundBuffer(LPDIRECTSOUND directSound, LPCSTR name) {
    if (directSound == nullptr) return nullptr;
    DSBUFFERDESC desc = {};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = kBufferFlags;
    BYTE* data = nullptr;
    if (!FindWaveResource(nullptr, name, &desc.lpwfxFormat, &data, &desc.dwBufferBytes)) return nullptr;
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    if (FAILED(directSound->CreateSoundBuffer(&desc, &buffer, nullptr)) || buffer == nullptr) return nullptr;
    if (!FillSoundBuffer(buffer, data, desc.dwBufferBytes)) {
        buffer->Release();
        return nullptr;
    }
    return buffer;
}

bool FillSoundBuffer(LPDIRECTSOUNDBUFFER buffer, const BYTE* data, DWORD size) {
    if (buffer == nullptr || data == nullptr || size == 0) return false;
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstBytes = 0;
    DWORD secondBytes = 0;
    if (FAILED(buffer->Lock(0, size, &first, &firstBytes, &second, &secondBytes, 0))) return false;
    // The regions never take more than the wave holds, whatever Lock says.
    DWORD copied = std::min(firstBytes, size);
    if (first != nullptr) std::memcpy(first, data, copied);
    if (second != nullptr && secondBytes != 0) std::memcpy(second, data + copied, std::min(secondBytes, size - copied));
    buffer->Unlock(first, firstBytes, second, secondBytes);
    return true;
}
