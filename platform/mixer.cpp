// MixAudio: every playing voice resampled to the device rate by linear
// interpolation, summed and saturated to 16 bits.
#include "platform/mixer.h"

#include <algorithm>
#include <cstring>

#include "platform/host_events.h"

namespace platform::mixer {
namespace {

// Output is summed in 32 bits over blocks of this many samples, then saturated.
constexpr int kBlockFrames = 256;
constexpr int kFracShift = 17;        // 15 bits of fraction keep the product in 32 bits
constexpr uint32_t kFracMask = 0x7FFF;

// Constant-initialised and never destroyed, so buffers released by static
// destructors at exit still find them.
constinit std::mutex mixLock;
constinit Voice* firstVoice = nullptr;
constinit uint64_t mixedFrames = 0;

int32_t Interpolate(int32_t s0, int32_t s1, uint64_t position) {
    int32_t frac = int32_t((position >> kFracShift) & kFracMask);
    return s0 + (((s1 - s0) * frac) >> (32 - kFracShift));
}

void BeginTail(Voice& v) {
    int32_t old = v.tailLeft > 0 ? v.tailLevel * v.tailLeft / kFadeFrames : 0;
    v.tailLevel = v.lastOut + old;
    v.tailLeft = v.tailLevel != 0 ? kFadeFrames : 0;
    v.lastOut = 0;
}

void MixTail(Voice& v, int32_t* acc, int from, int count) {
    for (int i = from; i < count && v.tailLeft > 0; ++i, --v.tailLeft)
        acc[i] += v.tailLevel * v.tailLeft / kFadeFrames;
}

// One sample of each source layout, as a signed 16-bit value (stereo averaged).
struct Mono16 {
    static int32_t At(const uint8_t* b, uint32_t i) {
        int16_t s;
        std::memcpy(&s, b + size_t(i) * 2, 2);
        return s;
    }
};
struct Stereo16 {
    static int32_t At(const uint8_t* b, uint32_t i) {
        int16_t s[2];
        std::memcpy(s, b + size_t(i) * 4, 4);
        return (int32_t(s[0]) + s[1]) >> 1;
    }
};
struct Mono8 {
    static int32_t At(const uint8_t* b, uint32_t i) { return (int32_t(b[i]) - 128) << 8; }
};
struct Stereo8 {
    static int32_t At(const uint8_t* b, uint32_t i) {
        return (int32_t(b[size_t(i) * 2]) + b[size_t(i) * 2 + 1] - 256) << 7;
    }
};

// Mixes the voice into acc[from, count) until it ends; returns where it ended.
template <typename Layout>
int MixVoice(Voice& v, int32_t* acc, int from, int count, uint64_t step, int sampleRate) {
    const uint8_t* bytes = v.data->bytes.data();
    const uint32_t frames = v.data->Frames();
    const uint64_t end = uint64_t(frames) << 32;
    // Below this position both interpolation points lie inside the data.
    const uint64_t inner = uint64_t(frames - 1) << 32;
    uint64_t pos = v.position;
    int i = from;
    while (i < count) {
        if (v.fadeIn == 0 && pos < inner) {
            int run = int(std::min<uint64_t>(uint64_t(count - i), (inner - pos - 1) / step + 1));
            int32_t value = 0;
            for (int k = 0; k < run; ++k, pos += step) {
                uint32_t idx = uint32_t(pos >> 32);
                value = Interpolate(Layout::At(bytes, idx), Layout::At(bytes, idx + 1), pos);
                acc[i + k] += value;
            }
            i += run;
            v.lastOut = value;
            continue;
        }
        uint32_t idx = uint32_t(pos >> 32);
        int32_t s0 = Layout::At(bytes, idx);
        int32_t s1 = idx + 1 < frames ? Layout::At(bytes, idx + 1) : v.looping ? Layout::At(bytes, 0) : s0;
        int32_t value = Interpolate(s0, s1, pos);
        if (v.fadeIn > 0) {
            value = value * (kFadeFrames - v.fadeIn) / kFadeFrames;
            --v.fadeIn;
        }
        acc[i++] += value;
        v.lastOut = value;
        pos += step;
        if (pos < end) continue;
        if (v.looping) {
            pos %= end;
            continue;
        }
        v.playing = false;
        v.position = 0;
        BeginTail(v);
        RecordFinished(v.owner, mixedFrames + uint64_t(i), sampleRate);
        return i;
    }
    v.position = pos;
    return count;
}

int MixPlaying(Voice& v, int32_t* acc, int count, int sampleRate) {
    const PcmFormat& f = v.data->format;
    uint64_t step = (uint64_t(f.rate) << 32) / uint64_t(sampleRate);
    if (step == 0) step = 1;
    if (f.bits == 16) {
        return f.channels == 2 ? MixVoice<Stereo16>(v, acc, 0, count, step, sampleRate)
                               : MixVoice<Mono16>(v, acc, 0, count, step, sampleRate);
    }
    return f.channels == 2 ? MixVoice<Stereo8>(v, acc, 0, count, step, sampleRate)
                           : MixVoice<Mono8>(v, acc, 0, count, step, sampleRate);
}

}  // namespace

std::mutex& Lock() { return mixLock; }

void Attach(Voice& voice) {
    voice.prev = nullptr;
    voice.next = firstVoice;
    if (firstVoice != nullptr) firstVoice->prev = &voice;
    firstVoice = &voice;
}

void Detach(Voice& voice) {
    if (voice.prev != nullptr) voice.prev->next = voice.next;
    else if (firstVoice == &voice) firstVoice = voice.next;
    if (voice.next != nullptr) voice.next->prev = voice.prev;
    voice.prev = voice.next = nullptr;
}

void Start(Voice& voice, bool looping) {
    voice.looping = looping;
    if (voice.playing) return;
    voice.playing = true;
    voice.fadeIn = kFadeFrames;
}

void Cut(Voice& voice) {
    if (!voice.playing) return;
    voice.playing = false;
    voice.fadeIn = 0;
    BeginTail(voice);
}

void Seek(Voice& voice, uint32_t frame) {
    if (voice.playing) {
        BeginTail(voice);
        voice.fadeIn = kFadeFrames;
    }
    voice.position = uint64_t(frame) << 32;
}

Voice* FirstVoice() { return firstVoice; }

uint64_t MixedFrames() { return mixedFrames; }

}  // namespace platform::mixer

namespace platform {

void MixAudio(int16_t* out, int frames, int sampleRate) {
    using namespace mixer;
    if (out == nullptr || frames <= 0) return;
    if (sampleRate <= 0) {
        std::fill(out, out + frames, int16_t(0));
        return;
    }
    std::lock_guard<std::mutex> guard(mixLock);
    int32_t acc[kBlockFrames];
    for (int done = 0; done < frames;) {
        int count = std::min(kBlockFrames, frames - done);
        std::fill(acc, acc + count, 0);
        for (Voice* v = firstVoice; v != nullptr; v = v->next) {
            if (v->tailLeft > 0) MixTail(*v, acc, 0, count);
            if (!v->playing || v->lost || v->data == nullptr || v->data->Frames() == 0) continue;
            int ended = MixPlaying(*v, acc, count, sampleRate);
            if (ended < count) MixTail(*v, acc, ended, count);
        }
        for (int i = 0; i < count; ++i)
            out[done + i] = int16_t(std::clamp(acc[i], int32_t(-32768), int32_t(32767)));
        done += count;
        mixedFrames += uint64_t(count);
    }
}

}  // namespace platform
