// MixAudio: every playing voice resampled to the device rate by linear
// interpolation, summed, and held under full scale by a limiter.
#include "platform/dsound/mixer.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/host_events.h"

namespace platform::mixer {
namespace {

// Output is summed in 32 bits over blocks of this many samples, then saturated.
constexpr int kBlockFrames = 256;
// 15 bits of fraction keep a 17-bit step times the fraction inside 32 bits.
constexpr int kFracShift = 17;
constexpr int kFracBits = 32 - kFracShift;

// Constant-initialised and never destroyed, so buffers released by static
// destructors at exit still find them.
constinit std::mutex mixLock;
// Set from the game's thread, read by the mixing one.
std::atomic<int> mixLevel{100};
constinit Voice* firstVoice = nullptr;
constinit uint64_t mixedFrames = 0;

// The limiter: sounds that overlap louder than the ceiling (95 % of full
// scale) are turned down at once, by exactly as much as needed, and come back
// at the release rate. Anything under the ceiling passes untouched.
constexpr int32_t kCeiling = 31130;
constexpr double kReleaseDbPerSecond = 60.0;
constinit float limiterGain = 1.0f;

constinit ChangeHook changeHook = nullptr;

void Tell(Change change, const Voice& voice, uint32_t arg = 0) {
    if (changeHook != nullptr) changeHook(change, voice, arg);
}

int32_t Fraction(uint64_t position) { return int32_t(uint32_t(position) >> kFracShift); }

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

// A voice that ran past its last frame: a loop goes round, a one-shot stops,
// rewinds and fades out. True when it stopped.
bool PastTheEnd(Voice& v, uint64_t& pos, uint64_t end, int at, int sampleRate) {
    if (v.looping) {
        pos %= end;
        return false;
    }
    v.playing = false;
    pos = 0;
    BeginTail(v);
    RecordFinished(v.owner, mixedFrames + uint64_t(at), sampleRate);
    return true;
}

// Mixes the voice into acc[0, count) until it ends; returns where it ended.
int MixVoice(Voice& v, int32_t* acc, int count, int sampleRate) {
    uint64_t step = (uint64_t(v.data->format.rate) << 32) / uint64_t(sampleRate);
    if (step == 0) step = 1;
    const int32_t* table = v.data->frames.data();
    const uint32_t frames = v.data->frameCount;
    const uint64_t end = uint64_t(frames) << 32;
    // Below this position the step to the next frame is the data's own.
    const uint64_t inner = uint64_t(frames - 1) << 32;
    uint64_t pos = v.position;
    int i = 0;
    while (i < count) {
        if (pos >= end) {
            if (PastTheEnd(v, pos, end, i, sampleRate)) break;
            continue;
        }
        if (v.fadeIn == 0 && pos < inner) {
            int run = int(std::min<uint64_t>(uint64_t(count - i), (inner - pos - 1) / step + 1));
            int32_t value = 0;
            for (int k = 0; k < run; ++k, pos += step) {
                const int32_t* frame = table + 2 * (pos >> 32);
                value = frame[0] + ((frame[1] * Fraction(pos)) >> kFracBits);
                acc[i + k] += value;
            }
            i += run;
            v.lastOut = value;
            continue;
        }
        // The last frame leads back to the first when looping, else holds.
        uint32_t idx = uint32_t(pos >> 32);
        int32_t s0 = table[2 * size_t(idx)];
        int32_t s1 = idx + 1 < frames ? table[2 * size_t(idx) + 2] : v.looping ? table[0] : s0;
        int32_t value = s0 + (((s1 - s0) * Fraction(pos)) >> kFracBits);
        if (v.fadeIn > 0) {
            value = value * (kFadeFrames - v.fadeIn) / kFadeFrames;
            --v.fadeIn;
        }
        acc[i++] += value;
        v.lastOut = value;
        pos += step;
    }
    // A sound that ends with the block is over now, not at the next one.
    if (v.playing && pos >= end) PastTheEnd(v, pos, end, i, sampleRate);
    v.position = pos;
    return v.playing ? count : i;
}

// One frame of any source layout as a signed 16-bit value, stereo averaged.
int32_t DecodeFrame(const PcmFormat& f, const uint8_t* at) {
    if (f.bits == 16) {
        int16_t s[2] = {0, 0};
        std::memcpy(s, at, size_t(f.channels) * 2);
        return f.channels == 2 ? (int32_t(s[0]) + s[1]) >> 1 : s[0];
    }
    if (f.channels == 2) return (int32_t(at[0]) + at[1] - 256) << 7;
    return (int32_t(at[0]) - 128) << 8;
}

int32_t BlockPeak(const int32_t* acc, int count) {
    int32_t peak = 0;
    for (int i = 0; i < count; ++i) peak = std::max(peak, std::abs(acc[i]));
    return peak;
}

void Limit(int32_t* acc, int count, int sampleRate) {
    int32_t peak = BlockPeak(acc, count);
    // Nothing sounds: nothing to come back into.
    if (peak == 0) limiterGain = 1.0f;
    if (limiterGain >= 1.0f && peak <= kCeiling) return;
    const float release = float(std::pow(10.0, kReleaseDbPerSecond / 20.0 / sampleRate));
    for (int i = 0; i < count; ++i) {
        limiterGain = std::min(1.0f, limiterGain * release);
        const int32_t magnitude = std::abs(acc[i]);
        if (float(magnitude) * limiterGain > float(kCeiling)) limiterGain = float(kCeiling) / float(magnitude);
        // Rounded half away from zero, inline: a library call per sample would
        // cost more than the rest of the mix.
        if (limiterGain < 1.0f) acc[i] = int32_t(float(acc[i]) * limiterGain + (acc[i] < 0 ? -0.5f : 0.5f));
    }
}

}  // namespace

void SoundData::Rebuild() {
    const uint32_t frameBytes = format.FrameBytes();
    frameCount = frameBytes != 0 ? uint32_t(bytes.size() / frameBytes) : 0;
    frames.assign(size_t(frameCount) * 2, 0);
    for (uint32_t i = 0; i < frameCount; ++i)
        frames[2 * size_t(i)] = DecodeFrame(format, bytes.data() + size_t(i) * frameBytes);
    for (uint32_t i = 0; i + 1 < frameCount; ++i)
        frames[2 * size_t(i) + 1] = frames[2 * size_t(i) + 2] - frames[2 * size_t(i)];
}

std::mutex& Lock() { return mixLock; }

void Attach(Voice& voice) {
    voice.prev = nullptr;
    voice.next = firstVoice;
    if (firstVoice != nullptr) firstVoice->prev = &voice;
    firstVoice = &voice;
    Tell(Change::Attach, voice);
}

void Detach(Voice& voice) {
    if (voice.prev != nullptr) voice.prev->next = voice.next;
    else if (firstVoice == &voice) firstVoice = voice.next;
    if (voice.next != nullptr) voice.next->prev = voice.prev;
    voice.prev = voice.next = nullptr;
    Tell(Change::Detach, voice);
}

Voice* FirstVoice() { return firstVoice; }

void Start(Voice& voice, bool looping) {
    Tell(Change::Start, voice, looping ? 1 : 0);
    voice.looping = looping;
    if (voice.playing) return;
    voice.playing = true;
    voice.fadeIn = kFadeFrames;
}

void Cut(Voice& voice) {
    Tell(Change::Cut, voice);
    if (!voice.playing) return;
    voice.playing = false;
    voice.fadeIn = 0;
    BeginTail(voice);
}

void Seek(Voice& voice, uint32_t frame) {
    Tell(Change::Seek, voice, frame);
    if (voice.playing) {
        BeginTail(voice);
        voice.fadeIn = kFadeFrames;
    }
    voice.position = uint64_t(frame) << 32;
}

void Refilled(Voice& voice) { Tell(Change::Refill, voice); }

void RanOut(Voice& voice) {
    voice.playing = false;
    voice.fadeIn = 0;
    voice.position = 0;
}

void SetChangeHook(ChangeHook hook) { changeHook = hook; }

uint64_t MixedFrames() { return mixedFrames; }

void SetLevel(int percent) { mixLevel.store(std::clamp(percent, 0, 100), std::memory_order_relaxed); }

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
            if (!v->playing || v->lost || v->data == nullptr || v->data->frameCount == 0) continue;
            int ended = MixVoice(*v, acc, count, sampleRate);
            if (ended < count) MixTail(*v, acc, ended, count);
        }
        int level = mixLevel.load(std::memory_order_relaxed);
        if (level != 100)
            for (int i = 0; i < count; ++i) acc[i] = static_cast<int32_t>(int64_t(acc[i]) * level / 100);
        Limit(acc, count, sampleRate);
        for (int i = 0; i < count; ++i)
            out[done + i] = int16_t(std::clamp(acc[i], int32_t(-32768), int32_t(32767)));
        done += count;
        mixedFrames += uint64_t(count);
    }
}

}  // namespace platform
