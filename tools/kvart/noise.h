// Deterministic value noise and a small seeded generator for the pictures.
#pragma once

#include <cmath>
#include <cstdint>

namespace kvart {

inline uint32_t Hash(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

inline float HashUnit(int x, int y, uint32_t seed) { return (Hash(x, y, seed) & 0xFFFFFF) / 16777215.0f; }

// Smooth noise in 0..1 with features about one unit apart.
inline float ValueNoise(float x, float y, uint32_t seed) {
    int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    float tx = x - x0, ty = y - y0;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    float a = HashUnit(x0, y0, seed), b = HashUnit(x0 + 1, y0, seed);
    float c = HashUnit(x0, y0 + 1, seed), d = HashUnit(x0 + 1, y0 + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

// Several octaves of value noise, 0..1.
inline float Fractal(float x, float y, uint32_t seed, int octaves = 4) {
    float sum = 0, amplitude = 0.5f, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += ValueNoise(x, y, seed + i * 101) * amplitude;
        total += amplitude;
        x *= 2.03f;
        y *= 2.03f;
        amplitude *= 0.5f;
    }
    return sum / total;
}

// A tiny linear congruential generator: the same numbers on every machine.
struct Random {
    uint32_t state;
    explicit Random(uint32_t seed) : state(seed) {}
    uint32_t Next() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
    float Unit() { return (Next() & 0xFFFF) / 65535.0f; }
    float Range(float lo, float hi) { return lo + (hi - lo) * Unit(); }
};

}  // namespace kvart
