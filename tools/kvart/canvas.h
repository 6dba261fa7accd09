// A floating-point RGB painting surface and its reduction to 256 colours.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "picture.h"

namespace kvart {

struct Colour {
    float r = 0, g = 0, b = 0;
};

inline Colour Lerp(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline Colour Scale(Colour a, float s) { return {a.r * s, a.g * s, a.b * s}; }

struct Canvas {
    int width, height;
    std::vector<Colour> pixels;
    // Pixels with a fixed palette index keep it through quantisation; -1 = free.
    std::vector<int> fixedIndex;

    Canvas(int w, int h, Colour fill = {})
        : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill), fixedIndex(static_cast<size_t>(w) * h, -1) {}
    Colour& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    void Blend(int x, int y, Colour c, float alpha) {
        if (!Inside(x, y) || alpha <= 0) return;
        Colour& p = At(x, y);
        p = Lerp(p, c, std::min(alpha, 1.0f));
        fixedIndex[static_cast<size_t>(y) * width + x] = -1;
    }
};

// Fills the free palette entries (those not in reserved) by median cut over
// the free pixels and maps them with error diffusion. Channel values are
// 0..255. darkFloor lifts every free colour to at least that level in its
// brightest channel, for pictures that must hold no black.
Picture Quantise(const Canvas& canvas, const std::vector<std::pair<int, Rgb>>& reserved, float darkFloor = 0.0f,
                 bool dither = true);

}  // namespace kvart
