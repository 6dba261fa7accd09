// The flag is designed on a 32-unit square and sampled at the size asked.
#include "flag_icon.h"

#include <algorithm>
#include <cmath>

namespace kvart {
namespace {

// Subsamples per pixel side for the smoothed drawing.
constexpr int kSmoothSamples = 8;
// How much the folds of the cloth lighten and darken it.
constexpr float kFoldShade = 0.18f;

// The flag at (fx, fy) in 32-unit coordinates; false where transparent.
// shade is the fold's lightening (positive) or darkening at that point.
bool FlagPoint(float fx, float fy, Rgb* colour, float* shade) {
    *shade = 0;
    if (fx >= 4 && fx < 6.5f && fy >= 2 && fy < 31) {
        *colour = fx < 5 ? Rgb{192, 192, 192} : Rgb{128, 128, 128};
        return true;
    }
    if (fx >= 3.5f && fx < 7 && fy >= 0.5f && fy < 3) {
        *colour = {255, 255, 0};
        return true;
    }
    float wave = 2.0f * std::sin((fx - 6.5f) / 6.0f);
    float top = 4 + wave, bottom = 20 + wave;
    if (fx >= 6.5f && fx < 29 && fy >= top && fy < bottom) {
        float band = (fy - top) / (bottom - top);
        *colour = band < 1 / 3.0f ? Rgb{0, 0, 255} : band < 2 / 3.0f ? Rgb{255, 255, 255} : Rgb{255, 0, 0};
        // Cloth rising to the right faces the light.
        *shade = -kFoldShade * std::cos((fx - 6.5f) / 6.0f);
        return true;
    }
    return false;
}

uint8_t Shaded(uint8_t value, float shade) {
    float v = shade >= 0 ? value + (255 - value) * shade : value * (1 + shade);
    return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

}  // namespace

FlagDrawing DrawFlag(int size) {
    FlagDrawing d{size, std::vector<Rgb>(static_cast<size_t>(size) * size),
                  std::vector<uint8_t>(static_cast<size_t>(size) * size, 0)};
    float s = size / 32.0f;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Rgb c;
            float shade;
            if (!FlagPoint((x + 0.5f) / s, (y + 0.5f) / s, &c, &shade)) continue;
            d.colour[static_cast<size_t>(y) * size + x] = c;
            d.alpha[static_cast<size_t>(y) * size + x] = 255;
        }
    return d;
}

FlagDrawing DrawSmoothFlag(int size) {
    FlagDrawing d{size, std::vector<Rgb>(static_cast<size_t>(size) * size),
                  std::vector<uint8_t>(static_cast<size_t>(size) * size, 0)};
    float s = size / 32.0f;
    constexpr int n = kSmoothSamples;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            float r = 0, g = 0, b = 0;
            int covered = 0;
            for (int sy = 0; sy < n; ++sy)
                for (int sx = 0; sx < n; ++sx) {
                    Rgb c;
                    float shade;
                    if (!FlagPoint((x + (sx + 0.5f) / n) / s, (y + (sy + 0.5f) / n) / s, &c, &shade)) continue;
                    r += Shaded(c.r, shade);
                    g += Shaded(c.g, shade);
                    b += Shaded(c.b, shade);
                    ++covered;
                }
            if (covered == 0) continue;
            size_t at = static_cast<size_t>(y) * size + x;
            d.colour[at] = {static_cast<uint8_t>(std::lround(r / covered)), static_cast<uint8_t>(std::lround(g / covered)),
                            static_cast<uint8_t>(std::lround(b / covered))};
            d.alpha[at] = static_cast<uint8_t>(covered * 255 / (n * n));
        }
    return d;
}

}  // namespace kvart
