// DESERT: a sandstone cliff face riddled with cave openings in rough rows
// along its ledges, a patch of blue sky in the upper left corner.
#include "art.h"
#include "canvas.h"
#include "noise.h"

namespace kvart {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr uint32_t kSeed = 0xDE5E27;
constexpr int kLedges = 5;

// The cliff's top edge: sky above it, only in the upper left.
float SkyLine(float x) {
    if (x > 340) return -1;
    float t = 1.0f - x / 340.0f;
    return 165.0f * t * t + 16.0f * ValueNoise(x / 22.0f, 0.5f, kSeed) + 5.0f * ValueNoise(x / 5.0f, 3.5f, kSeed) - 8;
}

// Height of the rock surface: layered strata and weathering.
float Relief(float x, float y) {
    float bands = y / 46.0f + 0.8f * Fractal(x / 160.0f, y / 90.0f, kSeed + 1, 3);
    float step = bands - std::floor(bands);
    float ledge = step < 0.85f ? step / 0.85f : (1.0f - step) / 0.15f;
    float weather = Fractal(x / 26.0f, y / 18.0f, kSeed + 2, 5);
    return ledge * 0.3f + weather * 0.9f;
}

// Thin dark fissures running down the face: 0 away from them, 1 on them.
float Crack(float x, float y) {
    float c = std::fabs(Fractal(x / 90.0f, y / 300.0f, kSeed + 3, 2) - 0.5f);
    return c < 0.012f ? 1.0f - c / 0.012f : 0.0f;
}

Colour Sandstone(float x, float y) {
    float tint = Fractal(x / 200.0f, y / 120.0f, kSeed + 4, 3);
    float stripe = std::sin(y / 7.0f + 3 * Fractal(x / 90.0f, y / 40.0f, kSeed + 5, 2)) * 0.5f + 0.5f;
    Colour base = Lerp(Colour{190, 126, 78}, Colour{228, 178, 122}, 0.3f * stripe + 0.7f * tint);
    float dx = Relief(x + 1, y) - Relief(x - 1, y);
    float dy = Relief(x, y + 1) - Relief(x, y - 1);
    // Sun from the upper left.
    float light = 0.92f - 1.3f * dx - 1.3f * dy;
    return Scale(base, std::clamp(light, 0.5f, 1.2f) * (1.0f - 0.3f * Crack(x, y)));
}

struct Cave {
    float x, y, halfWidth, height;
};

// Below 1 inside the opening: a round arch over a shallow, rounded floor.
float CaveDistance(const Cave& c, float x, float y) {
    float dx = (x - c.x) / c.halfWidth;
    float dy = y < c.y ? (y - c.y) / c.height : (y - c.y) / (c.halfWidth * 0.35f);
    return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

Picture MakeDesert() {
    Canvas canvas(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            float fx = static_cast<float>(x), fy = static_cast<float>(y);
            float sky = SkyLine(fx);
            if (fy < sky) {
                float t = std::min(fy / 170.0f, 1.0f);
                Colour c = Lerp(Colour{52, 104, 200}, Colour{150, 196, 238}, t);
                float cloud = Fractal(fx / 60.0f, fy / 18.0f, kSeed + 9, 4);
                canvas.At(x, y) = Lerp(c, Colour{245, 245, 250}, std::clamp((cloud - 0.62f) * 3.0f, 0.0f, 0.7f));
                continue;
            }
            Colour c = Sandstone(fx, fy);
            if (sky > 0 && fy - sky < 5) c = Scale(c, 1.15f);   // sunlit rim
            canvas.At(x, y) = c;
        }

    Random random(kSeed);
    std::vector<Cave> caves;
    for (int row = 0; row < kLedges; ++row) {
        float sill = 150 + row * 102 + random.Range(-10, 10);
        for (float x = random.Range(0, 60); x < kWidth + 30; x += random.Range(80, 190)) {
            Cave c{x, sill + random.Range(-14, 14), random.Range(12, 40), 0};
            c.height = c.halfWidth * random.Range(1.1f, 1.8f);
            if (c.y - c.height - 12 < SkyLine(c.x)) continue;
            caves.push_back(c);
        }
    }
    for (size_t i = 0; i < caves.size(); ++i) {
        const Cave& c = caves[i];
        int x0 = static_cast<int>(c.x - c.halfWidth * 1.5f), x1 = static_cast<int>(c.x + c.halfWidth * 1.5f);
        int y0 = static_cast<int>(c.y - c.height * 1.5f), y1 = static_cast<int>(c.y + 14);
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                if (!canvas.Inside(x, y)) continue;
                float wobble = 1.0f + 0.16f * (Fractal(x / 7.0f, y / 7.0f, kSeed + 20 + static_cast<uint32_t>(i), 2) - 0.5f);
                float d = CaveDistance(c, x + 0.5f, y + 0.5f) / wobble;
                if (d > 1.3f) continue;
                if (d > 1.0f) {
                    // Soot and shadow around the mouth, heavier above it.
                    float above = y < c.y ? 0.6f : 0.25f;
                    canvas.Blend(x, y, Colour{72, 40, 22}, (1.3f - d) / 0.3f * above);
                    continue;
                }
                // Inside: light falls off toward the back; the deepest part is black.
                float depth = (1.0f - d) + std::max(0.0f, (c.y - y) / c.height) * 0.2f;
                if (depth > 0.45f) {
                    canvas.At(x, y) = {};
                    canvas.fixedIndex[static_cast<size_t>(y) * kWidth + x] = 0;
                } else {
                    float t = depth / 0.45f;
                    canvas.At(x, y) = Lerp(Colour{92, 54, 30}, Colour{10, 5, 3}, std::sqrt(t));
                }
            }
    }
    Picture p = Quantise(canvas, {{0, Rgb{0, 0, 0}}});
    p.pelsPerMeter = 3780;
    return p;
}

}  // namespace kvart
