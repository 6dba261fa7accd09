// DESERT: a sandstone cliff face riddled with cave openings, a patch of blue
// sky in the upper left corner.
#include "art.h"
#include "canvas.h"
#include "noise.h"

namespace kvart {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr uint32_t kSeed = 0xDE5E27;
constexpr int kCaves = 34;

// The cliff's top edge: sky above it, only in the upper left.
float SkyLine(float x) {
    if (x > 330) return -1;
    return 150.0f * (1.0f - x / 330.0f) * (1.0f - x / 330.0f) + 18.0f * ValueNoise(x / 25.0f, 0.5f, kSeed) - 6;
}

Colour Sandstone(float x, float y) {
    float strata = std::sin(y / 9.0f + Fractal(x / 120.0f, y / 60.0f, kSeed + 1) * 6.0f) * 0.5f + 0.5f;
    float grain = Fractal(x / 14.0f, y / 14.0f, kSeed + 2);
    float large = Fractal(x / 180.0f, y / 180.0f, kSeed + 3);
    Colour light{222, 168, 112}, dark{150, 92, 52};
    Colour c = Lerp(dark, light, 0.35f + 0.35f * strata + 0.3f * large);
    return Scale(c, 0.82f + 0.3f * grain);
}

}  // namespace

Picture MakeDesert() {
    Canvas canvas(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            float sky = SkyLine(static_cast<float>(x));
            if (y < sky) {
                float t = y / 160.0f;
                canvas.At(x, y) = Lerp(Colour{70, 120, 210}, Colour{160, 200, 240}, std::min(t, 1.0f));
                continue;
            }
            Colour c = Sandstone(static_cast<float>(x), static_cast<float>(y));
            // A darker rim just below the skyline gives the cliff edge depth.
            if (sky > 0 && y - sky < 6) c = Scale(c, 0.75f + 0.04f * (y - sky));
            canvas.At(x, y) = c;
        }
    Random random(kSeed);
    for (int i = 0; i < kCaves; ++i) {
        float cx = random.Range(20, 780), cy = random.Range(120, 580);
        if (cy < SkyLine(cx) + 40) cy += 80;
        float rx = random.Range(18, 48), ry = rx * random.Range(0.6f, 1.1f);
        for (int y = static_cast<int>(cy - ry - 12); y <= cy + ry + 12; ++y)
            for (int x = static_cast<int>(cx - rx - 12); x <= cx + rx + 12; ++x) {
                if (!canvas.Inside(x, y)) continue;
                float wobble = 1.0f + 0.18f * (Fractal(x / 9.0f, y / 9.0f, kSeed + 10 + i, 2) - 0.5f);
                float d = std::hypot((x - cx) / rx, (y - cy) / ry) / wobble;
                if (d > 1.25f) continue;
                if (d > 1.0f) {
                    // Shadowed lip around the opening, heavier at the top.
                    float shade = (1.25f - d) / 0.25f * (y < cy ? 0.55f : 0.3f);
                    canvas.Blend(x, y, Colour{70, 40, 20}, shade);
                } else if (d > 0.55f) {
                    float t = (d - 0.55f) / 0.45f;
                    canvas.At(x, y) = Lerp(Colour{6, 3, 2}, Colour{60, 34, 18}, t * t);
                } else {
                    canvas.At(x, y) = {};
                    canvas.fixedIndex[static_cast<size_t>(y) * kWidth + x] = 0;
                }
            }
    }
    Picture p = Quantise(canvas, {{0, Rgb{0, 0, 0}}});
    p.pelsPerMeter = 3780;
    return p;
}

}  // namespace kvart
