// DirectSoundCreate and IDirectSound: the device, and the static buffers it
// makes for PCM formats.
#include <cstring>

#include "platform/dsound/buffer.h"
#include "platform/faults.h"
#include "platform/host.h"
#include "platform/internal.h"

namespace platform {
namespace {

constexpr DWORD kMinRate = 100;     // the rates DirectSound itself accepts
constexpr DWORD kMaxRate = 200000;
constexpr DWORD kLastCooperativeLevel = 4;  // DSSCL_WRITEPRIMARY
// The format record as far as PCM goes: cbSize is not read, since a 16-byte
// "fmt " body is followed by the next chunk, not by cbSize.
constexpr size_t kPcmFormatBytes = 16;

// Open devices; the host's audio stays open while any is alive.
constinit int openDevices = 0;

// The format of a buffer description, or a zero rate when it is not one we play.
mixer::PcmFormat ReadFormat(const WAVEFORMATEX* wfx) {
    WAVEFORMATEX f;
    std::memcpy(&f, wfx, kPcmFormatBytes);
    mixer::PcmFormat format;
    if (f.wFormatTag != WAVE_FORMAT_PCM) return format;
    if (f.nChannels != 1 && f.nChannels != 2) return format;
    if (f.wBitsPerSample != 8 && f.wBitsPerSample != 16) return format;
    if (f.nSamplesPerSec < kMinRate || f.nSamplesPerSec > kMaxRate) return format;
    format.rate = f.nSamplesPerSec;
    format.channels = f.nChannels;
    format.bits = f.wBitsPerSample;
    return format;
}

class DirectSound final : public ComObject<IDirectSound> {
public:
    DirectSound() { ++openDevices; }

    HRESULT STDMETHODCALLTYPE CreateSoundBuffer(LPCDSBUFFERDESC desc, LPLPDIRECTSOUNDBUFFER out,
                                                IUnknown* outer) override {
        if (out == nullptr) return DSERR_INVALIDPARAM;
        *out = nullptr;
        if (desc == nullptr || outer != nullptr) return DSERR_INVALIDPARAM;
        // The later description only adds a trailing GUID, which is not read.
        if (desc->dwSize != sizeof(DSBUFFERDESC) && desc->dwSize != sizeof(DSBUFFERDESC) + sizeof(GUID))
            return DSERR_INVALIDPARAM;
        if (desc->lpwfxFormat == nullptr) return DSERR_INVALIDPARAM;
        if (faults::Take("CreateSoundBuffer")) return DSERR_OUTOFMEMORY;
        mixer::PcmFormat format = ReadFormat(desc->lpwfxFormat);
        if (format.rate == 0) return DSERR_BADFORMAT;
        DWORD bytes = desc->dwBufferBytes;
        if (bytes < DSBSIZE_MIN || bytes > DSBSIZE_MAX || bytes < format.FrameBytes()) return DSERR_INVALIDPARAM;
        *out = SoundBuffer::Create(format, bytes);
        return DS_OK;
    }

    HRESULT STDMETHODCALLTYPE DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original,
                                                   LPLPDIRECTSOUNDBUFFER out) override {
        if (out == nullptr) return DSERR_INVALIDPARAM;
        *out = nullptr;
        SoundBuffer* ours = original != nullptr ? SoundBuffer::From(original) : nullptr;
        if (ours == nullptr) return DSERR_INVALIDPARAM;
        if (faults::Take("DuplicateSoundBuffer")) return DSERR_OUTOFMEMORY;
        *out = SoundBuffer::Duplicate(*ours);
        return DS_OK;
    }

    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND, DWORD level) override {
        if (faults::Take("IDirectSound::SetCooperativeLevel")) return DSERR_INVALIDCALL;
        if (level < DSSCL_NORMAL || level > kLastCooperativeLevel) return DSERR_INVALIDPARAM;
        return DS_OK;
    }

private:
    ~DirectSound() override {
        if (--openDevices == 0) host::CloseAudio();
    }

};

}  // namespace

void ResetSoundFaults() { ClearLostSoundBuffers(); }

}  // namespace platform

extern "C" HRESULT WINAPI DirectSoundCreate(LPCGUID, LPDIRECTSOUND* ppDS, LPUNKNOWN pUnkOuter) {
    if (ppDS == nullptr) return DSERR_INVALIDPARAM;
    *ppDS = nullptr;
    if (pUnkOuter != nullptr) return DSERR_INVALIDPARAM;
    if (platform::faults::Take("DirectSoundCreate")) return DSERR_NODRIVER;
    if (platform::openDevices == 0) {
        int rate = 0;
        if (!host::OpenAudio(&rate)) return DSERR_NODRIVER;
    }
    *ppDS = new platform::DirectSound;
    return DS_OK;
}
