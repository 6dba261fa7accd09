// SoundSample::Create and SoundSample::Destroy: one block holding the record
// and its buffer slots.
#include "sound/sound_sample.h"

#include <cstdlib>

SoundSample* SoundSample::Create(LPDIRECTSOUND directSound, LPCSTR name, int buffers) {
    WAVEFORMATEX* format = nullptr;
    BYTE* data = nullptr;
    DWORD size = 0;
    if (!FindWaveResource(nullptr, name, &format, &data, &size)) return nullptr;

    int32_t count = buffers < 1 ? 1 : buffers;
    void* block = std::calloc(1, sizeof(SoundSample) + sizeof(LPDIRECTSOUNDBUFFER) * size_t(count));
    if (block == nullptr) return nullptr;
    auto* sample = static_cast<SoundSample*>(block);
    sample->waveData = data;
    sample->waveSize = size;
    sample->bufferCount = count;
    sample->currentBuffer = 0;
    sample->buffers = reinterpret_cast<LPDIRECTSOUNDBUFFER*>(static_cast<char*>(block) + sizeof(SoundSample));

    // A first buffer that failed stays null: the sample exists and is silent.
    sample->buffers[0] = LoadSoundBuffer(directSound, name);
    for (int32_t i = 1; i < count; ++i) {
        if (sample->buffers[0] == nullptr || directSound == nullptr ||
            FAILED(directSound->DuplicateSoundBuffer(sample->buffers[0], &sample->buffers[i])))
            sample->buffers[i] = nullptr;
        if (sample->buffers[i] == nullptr) sample->buffers[i] = LoadSoundBuffer(directSound, name);
        if (sample->buffers[i] == nullptr) {
            Destroy(sample);
            return nullptr;
        }
    }
    return sample;
}

void SoundSample::Destroy(SoundSample* sample) {
    if (sample == nullptr) return;
    for (int32_t i = 0; i < sample->bufferCount; ++i) {
        if (sample->buffers[i] != nullptr) {
            sample->buffers[i]->Release();
            sample->buffers[i] = nullptr;
        }
    }
    std::free(sample);
}
