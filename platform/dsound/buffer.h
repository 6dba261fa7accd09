// The static sound buffer of our DirectSound stand-in: a COM face over one
// mixer Voice. Its bytes may be shared with its duplicates.
#pragma once

#define DIRECTSOUND_VERSION 0x0300
#include <windows.h>
#include <dsound.h>

#include <vector>

#include "platform/dsound/mixer.h"
#include "platform/win32/com_object.h"

namespace platform {

class SoundBuffer final : public ComObject<IDirectSoundBuffer> {
public:
    // A stopped buffer at position 0 holding `bytes` zero bytes of `format`.
    static SoundBuffer* Create(const mixer::PcmFormat& format, DWORD bytes);
    // A stopped buffer at position 0 sharing the original's bytes.
    static SoundBuffer* Duplicate(SoundBuffer& original);
    // Ours, or null for a buffer this layer did not make.
    static SoundBuffer* From(IDirectSoundBuffer* buffer);

    HRESULT STDMETHODCALLTYPE GetStatus(LPDWORD lpdwStatus) override;
    HRESULT STDMETHODCALLTYPE Lock(DWORD dwOffset, DWORD dwBytes, LPVOID* ppvAudioPtr1, LPDWORD pdwAudioBytes1,
                                   LPVOID* ppvAudioPtr2, LPDWORD pdwAudioBytes2, DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE Play(DWORD dwReserved1, DWORD dwReserved2, DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE SetCurrentPosition(DWORD dwNewPosition) override;
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE Unlock(LPVOID pvAudioPtr1, DWORD dwAudioBytes1, LPVOID pvAudioPtr2,
                                     DWORD dwAudioBytes2) override;
    HRESULT STDMETHODCALLTYPE Restore() override;

private:
    explicit SoundBuffer(std::shared_ptr<mixer::SoundData> data);
    ~SoundBuffer() override;

    mixer::Voice voice;            // guarded by mixer::Lock()
    std::vector<uint8_t> staging;  // what Lock hands out, until Unlock commits it
    bool locked = false;
};

// Every live buffer loses its memory (faults::LoseSoundBuffers).
void LoseSoundBufferMemory();
// Every live buffer gets its memory back, stopped (between tests).
void ClearLostSoundBuffers();

}  // namespace platform
