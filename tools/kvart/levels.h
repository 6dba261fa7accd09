// How loud each sound is made. Loudness is taken as the RMS of a sound's
// loudest 100 ms, which is about how long the ear adds a sound up over; no
// sound peaks above half of full scale, so that the game's sounds can
// overlap with 6 dB to spare before the mixer has to hold them back.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

namespace kvart {

constexpr float kPeakCeiling = 0.5f;
constexpr float kLoudnessWindowSeconds = 0.1f;

// The shot is the loudest sound of the game and is levelled to the ceiling;
// every other sound is set this many dB of loudness below full scale, all
// of them at or under the shot.
constexpr float kShotLoudness = 0.0f;
constexpr float kHitLoudness = -20.5f;
constexpr float kWrongLoudness = -20.5f;
constexpr float kReloadLoudness = -22.0f;
constexpr float kClickLoudness = -22.0f;
constexpr float kIntroLoudness = -21.0f;

inline float Loudness(const std::vector<float>& s, float rate) {
    size_t window = std::max<size_t>(1, static_cast<size_t>(rate * kLoudnessWindowSeconds));
    double sum = 0, most = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        sum += double(s[i]) * s[i];
        if (i >= window) sum -= double(s[i - window]) * s[i - window];
        most = std::max(most, sum);
    }
    return static_cast<float>(std::sqrt(most / double(std::min(window, std::max<size_t>(1, s.size())))));
}

// Scales the samples to `loudnessDb`, or less if that would peak above the ceiling.
inline void Level(std::vector<float>& s, float rate, float loudnessDb) {
    float loudness = Loudness(s, rate);
    float peak = 0;
    for (float v : s) peak = std::max(peak, std::fabs(v));
    if (loudness <= 0 || peak <= 0) return;
    float gain = std::min(std::pow(10.0f, loudnessDb / 20) / loudness, kPeakCeiling / peak);
    for (float& v : s) v *= gain;
}

}  // namespace kvart
