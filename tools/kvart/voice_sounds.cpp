// The hit cries: a glottal pulse train through three formant resonators,
// with the pitch and the vowel moving over the cry.
#include <functional>

#include "art.h"
#include "levels.h"
#include "synth.h"

namespace kvart {
namespace {

constexpr uint32_t kRate = 22050;

struct Vowel {
    float f1, f2, f3;
};

constexpr Vowel kA{800, 1200, 2500};
constexpr Vowel kO{500, 850, 2450};
constexpr Vowel kU{350, 700, 2300};
constexpr Vowel kE{500, 1500, 2500};
constexpr Vowel kAh{650, 1080, 2650};

struct Cry {
    size_t samples;
    std::function<float(float)> pitch;       // Hz over the 0..1 course
    std::function<float(float)> loudness;    // 0..1 over the course
    Vowel from, to;
    float breath;                            // share of noise
    float roughness;                         // pitch jitter
    uint32_t seed;
    std::string name;
    uint32_t listSize;
};

Wave Synthesise(const Cry& cry) {
    std::vector<float> s(cry.samples, 0.0f);
    BandPass f1, f2, f3;
    Noise noise(cry.seed);
    float phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        float u = static_cast<float>(i) / s.size();
        float jitter = 1 + cry.roughness * noise.Next();
        phase += cry.pitch(u) * jitter / kRate;
        if (phase >= 1) phase -= 1;
        // A glottal pulse: quick rise, slower fall, then closed.
        float pulse = phase < 0.4f ? std::sin(kPi * phase / 0.4f) : (phase < 0.6f ? -0.3f * std::sin(kPi * (phase - 0.4f) / 0.2f) : 0.0f);
        float source = pulse * (1 - cry.breath) + noise.Next() * cry.breath * 0.6f;
        float k = u * u * (3 - 2 * u);
        f1.Set(kRate, cry.from.f1 + (cry.to.f1 - cry.from.f1) * k, 8);
        f2.Set(kRate, cry.from.f2 + (cry.to.f2 - cry.from.f2) * k, 10);
        f3.Set(kRate, cry.from.f3 + (cry.to.f3 - cry.from.f3) * k, 12);
        float voiced = f1.Run(source) * 1.0f + f2.Run(source) * 0.6f + f3.Run(source) * 0.3f;
        s[i] = voiced * cry.loudness(u);
    }
    FadeEnds(s, 64);
    Level(s, kRate, kHitLoudness);
    Wave w = PcmWave(kRate, s);
    w.trailing = {InfoList(cry.listSize, cry.name)};
    return w;
}

float Swell(float u, float attack, float release) {
    if (u < attack) return u / attack;
    if (u > 1 - release) return std::max(0.0f, (1 - u) / release);
    return 1;
}

}  // namespace

Wave MakeHit(int variant) {
    switch (variant) {
        case 1:   // A long groan falling away: "aaargh".
            return Synthesise({13695, [](float u) { return 190 - 95 * u + 20 * std::sin(u * 18); },
                               [](float u) { return Swell(u, 0.05f, 0.4f) * (1 - 0.3f * u); }, kA, kO, 0.18f,
                               0.04f, 0x4171, "Groan", 74});
        case 2:   // A short yelp: "ow!".
            return Synthesise({4607, [](float u) { return 330 + 220 * std::sin(kPi * u); },
                               [](float u) { return Swell(u, 0.08f, 0.35f); }, kAh, kU, 0.1f, 0.02f, 0x4172, "Yelp",
                               74});
        default:  // A winded grunt: "uhh!".
            return Synthesise({8736, [](float u) { return 150 - 50 * u; },
                               [](float u) { return Swell(u, 0.03f, 0.55f); }, kE, kU, 0.3f, 0.06f, 0x4173, "Grunt",
                               74});
    }
}

}  // namespace kvart
