// SoundSample::FreeBuffer, Play and Stop: round robin over the buffers,
// cutting off the oldest sound and restoring lost memory on the way.
#include "sound/sound_sample.h"

namespace {

DWORD StatusOf(LPDIRECTSOUNDBUFFER buffer) {
    DWORD status = 0;
    if (FAILED(buffer->GetStatus(&status))) return 0;
    return status;
}

}  // namespace

LPDIRECTSOUNDBUFFER SoundSample::FreeBuffer(SoundSample* sample) {
    if (sample == nullptr) return nullptr;
    LPDIRECTSOUNDBUFFER buffer = sample->buffers[sample->currentBuffer];
    if (buffer == nullptr) return nullptr;
    DWORD status = StatusOf(buffer);
    if (status & DSBSTATUS_PLAYING) {
        // A single buffer still sounding is not started again.
        if (sample->bufferCount < 2) return nullptr;
        sample->currentBuffer = (sample->currentBuffer + 1) % sample->bufferCount;
        buffer = sample->buffers[sample->currentBuffer];
        if (buffer == nullptr) return nullptr;
        status = StatusOf(buffer);
        if (status & DSBSTATUS_PLAYING) {
            buffer->Stop();
            buffer->SetCurrentPosition(0);
        }
    }
    if (status & DSBSTATUS_BUFFERLOST) {
        if (FAILED(buffer->Restore())) return nullptr;
        if (!FillSoundBuffer(buffer, sample->waveData, sample->waveSize)) return nullptr;
    }
    return buffer;
}

bool SoundSample::Play(SoundSample* sample, DWORD flags) {
    if (sample == nullptr) return false;
    // Only a single-buffer sample may loop.
    if ((flags & DSBPLAY_LOOPING) && sample->bufferCount != 1) return false;
    LPDIRECTSOUNDBUFFER buffer = FreeBuffer(sample);
    if (buffer == nullptr) return false;
    return !FAILED(buffer->Play(0, 0, flags));
}

bool SoundSample::Stop(SoundSample* sample) {
    if (sample == nullptr) return false;
    for (int32_t i = 0; i < sample->bufferCount; ++i) {
        LPDIRECTSOUNDBUFFER buffer = sample->buffers[i];
        if (buffer == nullptr) continue;
        buffer->Stop();
        buffer->SetCurrentPosition(0);
    }
    return true;
}
