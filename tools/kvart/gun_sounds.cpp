// The gun: a shot, the dry click of an empty chamber, a two-stroke reload.
#include "art.h"
#include "levels.h"
#include "synth.h"

namespace kvart {
namespace {

constexpr uint32_t kClickRate = 22050;
constexpr size_t kClickSamples = 1258;
constexpr uint32_t kGunRate = 16000;
constexpr size_t kShotSamples = 13568;
constexpr size_t kReloadSamples = 7895;

// A metallic knock: a noise transient through two resonances.
void AddClack(std::vector<float>& out, float rate, float at, float loud, float pitch, uint32_t seed) {
    Noise noise(seed);
    BandPass low, high;
    low.Set(rate, 900 * pitch, 6);
    high.Set(rate, 2600 * pitch, 9);
    size_t start = static_cast<size_t>(at * rate);
    for (size_t i = 0; start + i < out.size() && i < rate * 0.09f; ++i) {
        float t = i / rate;
        float hit = noise.Next() * Decay(t, 0.004f);
        out[start + i] += loud * (low.Run(hit) * 3.0f + high.Run(hit) * 2.0f + hit * 0.4f * Decay(t, 0.001f));
    }
}

std::vector<uint8_t> ClickPicture() {
    // A 32x24 8-bit picture of the sound, for the clipboard-style chunk.
    constexpr int width = 32, height = 24;
    std::vector<uint8_t> dib;
    auto dword = [&](uint32_t v) {
        for (int k = 0; k < 4; ++k) dib.push_back(static_cast<uint8_t>(v >> (8 * k)));
    };
    dword(40);
    dword(width);
    dword(height);
    dib.push_back(1);
    dib.push_back(0);
    dib.push_back(8);
    dib.push_back(0);
    dword(0);
    dword(width * height);
    dword(0);
    dword(0);
    dword(256);
    dword(0);
    for (int i = 0; i < 256; ++i) {
        dib.push_back(static_cast<uint8_t>(i));
        dib.push_back(static_cast<uint8_t>(i));
        dib.push_back(static_cast<uint8_t>(i));
        dib.push_back(0);
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            float wave = 12 + 9 * std::sin(x * 0.6f) * std::exp(-x / 10.0f);
            dib.push_back(std::fabs(y - wave) < 1.2f ? 255 : 32);
        }
    return dib;
}

}  // namespace

Wave MakeClick() {
    std::vector<float> s(kClickSamples, 0.0f);
    AddClack(s, kClickRate, 0.004f, 1.0f, 1.6f, 0xC11C);
    Noise noise(7);
    for (size_t i = 0; i < 60; ++i) s[88 + i] += noise.Next() * 0.5f * Decay(i / 22050.0f, 0.0006f);
    FadeEnds(s, 24);
    Level(s, kClickRate, kClickLoudness);
    Wave w = PcmWave(kClickRate, s);
    std::vector<uint8_t> fact;
    for (int k = 0; k < 4; ++k) fact.push_back(static_cast<uint8_t>(kClickSamples >> (8 * k)));
    std::vector<uint8_t> picture{8, 0, 0, 0};
    std::vector<uint8_t> dib = ClickPicture();
    picture.insert(picture.end(), dib.begin(), dib.end());
    std::vector<uint8_t> title{1, 0, 0, 0};
    std::string text = "Kalvenor: empty chamber";
    title.insert(title.end(), text.begin(), text.end());
    title.resize(35, 0);
    w.trailing = {{"fact", fact}, {"DISP", picture}, {"DISP", title}, InfoList(148, "Dry click of an empty gun")};
    return w;
}

Wave MakeShot() {
    std::vector<float> s(kShotSamples, 0.0f);
    const float rate = kGunRate;
    Noise noise(0x5407);
    LowPass body, tail;
    float phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        float t = i / rate;
        float n = noise.Next();
        // The crack: bright noise gone within a few milliseconds.
        float crack = n * Decay(t, 0.006f);
        // The boom: noise through a falling low-pass, and a thump.
        float boom = body.Run(n, rate, 300 + 2500 * Decay(t, 0.05f)) * Decay(t, 0.11f) * 2.5f;
        phase += 2 * kPi * (55 + 70 * Decay(t, 0.04f)) / rate;
        float thump = std::sin(phase) * Decay(t, 0.08f) * 0.9f;
        // The echo off the cliffs.
        float echo = tail.Run(n, rate, 900) * Decay(t, 0.3f) * 0.7f * (t > 0.02f);
        s[i] = crack * 1.2f + boom + thump + echo;
    }
    // A second, softer echo a little later.
    for (size_t i = s.size() - 1; i >= 2400; --i) s[i] += s[i - 2400] * 0.25f;
    FadeEnds(s, 64);
    Level(s, rate, kShotLoudness);
    Wave w = PcmWave(kGunRate, s);
    w.trailing = {InfoList(68, "Gunshot")};
    return w;
}

Wave MakeReload() {
    std::vector<float> s(kReloadSamples, 0.0f);
    const float rate = kGunRate;
    AddClack(s, rate, 0.03f, 1.0f, 1.0f, 0xAB);
    AddClack(s, rate, 0.045f, 0.5f, 1.3f, 0xAC);
    // The slide scraping back between the strokes.
    Noise noise(0x511D);
    BandPass scrape;
    scrape.Set(rate, 3200, 2);
    for (size_t i = static_cast<size_t>(0.09f * rate); i < static_cast<size_t>(0.26f * rate); ++i) {
        float t = i / rate - 0.09f;
        s[i] += scrape.Run(noise.Next()) * 0.35f * std::sin(kPi * t / 0.17f);
    }
    AddClack(s, rate, 0.27f, 1.1f, 0.85f, 0xAD);
    AddClack(s, rate, 0.285f, 0.6f, 1.1f, 0xAE);
    FadeEnds(s, 32);
    Level(s, rate, kReloadLoudness);
    Wave w = PcmWave(kGunRate, s);
    w.trailing = {InfoList(72, "Reload, clack-clack")};
    return w;
}

}  // namespace kvart
