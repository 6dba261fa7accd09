// Building blocks of the synthesised sounds: filters, noise, envelopes.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace kvart {

constexpr float kPi = 3.14159265358979f;

// A biquad band-pass (constant peak gain), as in the usual cookbook.
struct BandPass {
    float b0 = 0, b2 = 0, a1 = 0, a2 = 0;
    float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    void Set(float rate, float centre, float q) {
        float w = 2 * kPi * centre / rate;
        float alpha = std::sin(w) / (2 * q);
        float a0 = 1 + alpha;
        b0 = alpha / a0;
        b2 = -alpha / a0;
        a1 = -2 * std::cos(w) / a0;
        a2 = (1 - alpha) / a0;
    }
    float Run(float x) {
        float y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

struct LowPass {
    float state = 0;
    float Run(float x, float rate, float cutoff) {
        float k = 1 - std::exp(-2 * kPi * cutoff / rate);
        state += (x - state) * k;
        return state;
    }
};

// White noise in -1..1 from a fixed seed.
struct Noise {
    uint32_t state;
    explicit Noise(uint32_t seed) : state(seed) {}
    float Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return (state & 0xFFFF) / 32767.5f - 1.0f;
    }
};

inline float Decay(float t, float seconds) { return std::exp(-t / seconds); }

// Fades the first and last few samples so a sound starts and ends at rest.
inline void FadeEnds(std::vector<float>& samples, size_t length) {
    for (size_t i = 0; i < length && i < samples.size(); ++i) {
        float k = static_cast<float>(i) / length;
        samples[i] *= k;
        samples[samples.size() - 1 - i] *= k;
    }
}

}  // namespace kvart
