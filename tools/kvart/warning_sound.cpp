// WRONG: a warning buzzer, three harsh pulses.
#include "art.h"
#include "levels.h"
#include "synth.h"

namespace kvart {
namespace {

constexpr uint32_t kRate = 22050;
constexpr size_t kSamples = 16112;
constexpr int kPulses = 3;

}  // namespace

Wave MakeWrong() {
    std::vector<float> s(kSamples, 0.0f);
    LowPass tone;
    float phaseA = 0, phaseB = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        float u = static_cast<float>(i) / s.size();
        float slot = u * kPulses;
        float within = slot - static_cast<int>(slot);
        float gate = within < 0.72f ? std::min(1.0f, std::min(within, 0.72f - within) * 60) : 0.0f;
        phaseA += 196.0f / kRate;
        phaseB += 207.6f / kRate;
        phaseA -= static_cast<int>(phaseA);
        phaseB -= static_cast<int>(phaseB);
        float square = (phaseA < 0.5f ? 1.0f : -1.0f) + (phaseB < 0.5f ? 0.8f : -0.8f);
        s[i] = tone.Run(square, kRate, 2200) * gate;
    }
    FadeEnds(s, 32);
    Level(s, kRate, kWrongLoudness);
    return PcmWave(kRate, s);
}

}  // namespace kvart
