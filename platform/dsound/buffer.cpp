// IDirectSoundBuffer: status, lock and unlock, play, stop, position, restore.
#include "platform/dsound/buffer.h"

#include <algorithm>

#include "platform/faults.h"
#include "platform/inspect.h"

namespace platform {
namespace {

constinit int liveBuffers = 0;

using Guard = std::lock_guard<std::mutex>;

}  // namespace

SoundBuffer::SoundBuffer(std::shared_ptr<mixer::SoundData> data) {
    voice.data = std::move(data);
    voice.owner = this;
    Guard guard(mixer::Lock());
    mixer::Attach(voice);
    ++liveBuffers;
}

SoundBuffer::~SoundBuffer() {
    Guard guard(mixer::Lock());
    mixer::Detach(voice);
    --liveBuffers;
}

SoundBuffer* SoundBuffer::Create(const mixer::PcmFormat& format, DWORD bytes) {
    auto data = std::make_shared<mixer::SoundData>();
    data->format = format;
    data->bytes.assign(bytes, format.bits == 8 ? uint8_t(0x80) : uint8_t(0));
    data->Rebuild();
    return new SoundBuffer(std::move(data));
}

SoundBuffer* SoundBuffer::Duplicate(SoundBuffer& original) {
    std::shared_ptr<mixer::SoundData> data;
    {
        Guard guard(mixer::Lock());
        data = original.voice.data;
    }
    return new SoundBuffer(std::move(data));
}

SoundBuffer* SoundBuffer::From(IDirectSoundBuffer* buffer) { return dynamic_cast<SoundBuffer*>(buffer); }

HRESULT SoundBuffer::GetStatus(LPDWORD lpdwStatus) {
    if (lpdwStatus == nullptr) return DSERR_INVALIDPARAM;
    Guard guard(mixer::Lock());
    DWORD status = 0;
    if (voice.lost) status |= DSBSTATUS_BUFFERLOST;
    if (voice.playing) status |= DSBSTATUS_PLAYING | (voice.looping ? DSBSTATUS_LOOPING : 0);
    *lpdwStatus = status;
    return DS_OK;
}

HRESULT SoundBuffer::Lock(DWORD dwOffset, DWORD dwBytes, LPVOID* ppvAudioPtr1, LPDWORD pdwAudioBytes1,
                          LPVOID* ppvAudioPtr2, LPDWORD pdwAudioBytes2, DWORD) {
    if (ppvAudioPtr1 == nullptr || pdwAudioBytes1 == nullptr) return DSERR_INVALIDPARAM;
    Guard guard(mixer::Lock());
    if (voice.lost) return DSERR_BUFFERLOST;
    const std::vector<uint8_t>& bytes = voice.data->bytes;
    DWORD size = DWORD(bytes.size());
    if (dwOffset >= size || dwBytes == 0 || dwBytes > size) return DSERR_INVALIDPARAM;
    DWORD first = std::min(dwBytes, size - dwOffset);
    DWORD second = dwBytes - first;
    if (second != 0 && (ppvAudioPtr2 == nullptr || pdwAudioBytes2 == nullptr)) return DSERR_INVALIDPARAM;
    staging = bytes;
    locked = true;
    *ppvAudioPtr1 = staging.data() + dwOffset;
    *pdwAudioBytes1 = first;
    if (ppvAudioPtr2 != nullptr) *ppvAudioPtr2 = second != 0 ? staging.data() : nullptr;
    if (pdwAudioBytes2 != nullptr) *pdwAudioBytes2 = second;
    return DS_OK;
}

HRESULT SoundBuffer::Unlock(LPVOID pvAudioPtr1, DWORD, LPVOID, DWORD) {
    if (!locked || pvAudioPtr1 == nullptr) return DSERR_INVALIDCALL;
    {
        Guard guard(mixer::Lock());
        if (voice.data->bytes.size() == staging.size()) {
            voice.data->bytes = staging;
            voice.data->Rebuild();
            mixer::Refilled(voice);
        }
    }
    locked = false;
    staging = std::vector<uint8_t>();
    return DS_OK;
}

HRESULT SoundBuffer::Play(DWORD, DWORD, DWORD dwFlags) {
    if (faults::Take("IDirectSoundBuffer::Play")) return DSERR_INVALIDCALL;
    {
        Guard guard(mixer::Lock());
        if (voice.lost) return DSERR_BUFFERLOST;
    }
    // The clock is read without the lock: the headless host mixes as it ticks.
    uint32_t tick = GetTickCount();
    bool looping = (dwFlags & DSBPLAY_LOOPING) != 0;
    Guard guard(mixer::Lock());
    if (voice.lost) return DSERR_BUFFERLOST;
    bool wasPlaying = voice.playing;
    mixer::Start(voice, looping);
    mixer::RecordEvent(inspect::SoundEvent::Play, this, tick, looping, wasPlaying);
    return DS_OK;
}

HRESULT SoundBuffer::Stop() {
    uint32_t tick = GetTickCount();
    Guard guard(mixer::Lock());
    bool wasPlaying = voice.playing;
    mixer::Cut(voice);
    mixer::RecordEvent(inspect::SoundEvent::Stop, this, tick, voice.looping, wasPlaying);
    return DS_OK;
}

HRESULT SoundBuffer::SetCurrentPosition(DWORD dwNewPosition) {
    Guard guard(mixer::Lock());
    const mixer::SoundData& data = *voice.data;
    if (dwNewPosition >= data.bytes.size()) return DSERR_INVALIDPARAM;
    mixer::Seek(voice, dwNewPosition / data.format.FrameBytes());
    return DS_OK;
}

HRESULT SoundBuffer::Restore() {
    if (faults::Take("IDirectSoundBuffer::Restore")) return DSERR_BUFFERLOST;
    Guard guard(mixer::Lock());
    voice.lost = false;
    return DS_OK;
}

void LoseSoundBufferMemory() {
    Guard guard(mixer::Lock());
    for (mixer::Voice* v = mixer::FirstVoice(); v != nullptr; v = v->next) {
        mixer::Cut(*v);
        v->lost = true;
        mixer::Seek(*v, 0);
        uint8_t silence = v->data->format.bits == 8 ? 0x80 : 0;
        std::fill(v->data->bytes.begin(), v->data->bytes.end(), silence);
        std::fill(v->data->frames.begin(), v->data->frames.end(), 0);
        mixer::Refilled(*v);
    }
}

void ClearLostSoundBuffers() {
    Guard guard(mixer::Lock());
    for (mixer::Voice* v = mixer::FirstVoice(); v != nullptr; v = v->next) v->lost = false;
}

namespace inspect {
int LiveSoundBuffers() {
    Guard guard(mixer::Lock());
    return liveBuffers;
}
}  // namespace inspect

namespace faults {
void LoseSoundBuffers() { LoseSoundBufferMemory(); }
}  // namespace faults

}  // namespace platform
