// INTRO: a short desert tune of two bars that loops. Every note that rings
// past the end is wrapped to the start, so the loop joins without a click.
#include "art.h"
#include "levels.h"
#include "synth.h"

namespace kvart {
namespace {

constexpr uint32_t kRate = 11025;
constexpr size_t kSamples = 104316;
constexpr int kSteps = 32;   // eighth notes over the loop
constexpr int kRest = 99;    // a step of the bass line without a note

float Frequency(int semitonesFromA) { return 220.0f * std::pow(2.0f, semitonesFromA / 12.0f); }

// Adds a plucked note that starts at step, wrapping around the loop.
void Pluck(std::vector<float>& loop, float step, int note, float loud, float seconds, float brightness) {
    size_t start = static_cast<size_t>(step * kSamples / kSteps);
    float f = Frequency(note);
    size_t length = static_cast<size_t>(seconds * 5 * kRate);
    LowPass tone;
    for (size_t i = 0; i < length; ++i) {
        float t = static_cast<float>(i) / kRate;
        float p = f * t;
        float saw = 2 * (p - std::floor(p)) - 1;
        float v = tone.Run(saw, kRate, 300 + brightness * 2500 * Decay(t, 0.08f)) * Decay(t, seconds);
        v *= std::min(1.0f, t * 400);
        loop[(start + i) % kSamples] += v * loud;
    }
}

void Shaker(std::vector<float>& loop, float step, float loud, uint32_t seed) {
    size_t start = static_cast<size_t>(step * kSamples / kSteps);
    Noise noise(seed);
    float previous = 0;
    for (size_t i = 0; i < 500; ++i) {
        float n = noise.Next();
        float high = n - previous;
        previous = n;
        float t = static_cast<float>(i) / kRate;
        loop[(start + i) % kSamples] += high * loud * Decay(t, 0.012f) * std::min(1.0f, t * 2000);
    }
}

}  // namespace

Wave MakeIntroTune() {
    std::vector<float> loop(kSamples, 0.0f);
    // Bass: a walking figure on D and A (semitones from A220: D = -7).
    const int bass[kSteps] = {-19, kRest, -12, -19, kRest, -12, -14, -15, -19, kRest, -12, -19, kRest, -12, -11, -12,
                              -24, kRest, -17, -24, kRest, -17, -19, -20, -19, kRest, -12, -19, kRest, -15, -14, -12};
    for (int i = 0; i < kSteps; ++i)
        if (bass[i] != kRest) Pluck(loop, static_cast<float>(i), bass[i], 0.5f, 0.25f, 0.3f);
    // Melody in D with a flattened second, which gives the desert colour.
    struct Note {
        float step;
        int note;
        float length;
    };
    const Note melody[] = {{0, 5, 0.5f},   {2, 6, 0.25f},  {3, 9, 0.3f},   {4, 10, 0.6f},  {7, 9, 0.25f},
                           {8, 6, 0.3f},   {9, 5, 0.3f},   {10, 6, 0.6f},  {12, 1, 0.5f},  {14, 0, 0.3f},
                           {16, 0, 0.5f},  {18, 1, 0.25f}, {19, 5, 0.3f},  {20, 6, 0.6f},  {23, 9, 0.25f},
                           {24, 10, 0.4f}, {25, 9, 0.3f},  {26, 6, 0.3f},  {27, 5, 0.3f},  {28, 6, 0.8f}};
    for (const Note& n : melody) Pluck(loop, n.step, n.note, 0.42f, n.length, 0.8f);
    for (int i = 0; i < kSteps; ++i) Shaker(loop, i + 0.5f, i % 2 ? 0.25f : 0.15f, 0x5A + i);
    // A low thump on every half bar.
    for (int i = 0; i < kSteps; i += 4) Pluck(loop, static_cast<float>(i), -31, 0.5f, 0.12f, 0.1f);
    Level(loop, kRate, kIntroLoudness);
    Wave w = PcmWave(kRate, loop, 8);
    w.strayByte = true;
    return w;
}

}  // namespace kvart
