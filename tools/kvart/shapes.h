// Antialiased filled shapes for painting on a Canvas.
#pragma once

#include <cmath>
#include <functional>

#include "canvas.h"

namespace kvart {

// Coverage of a pixel by the ellipse, with a one-pixel soft edge.
inline float EllipseCoverage(float x, float y, float cx, float cy, float rx, float ry) {
    float dx = (x - cx) / rx, dy = (y - cy) / ry;
    float d = std::sqrt(dx * dx + dy * dy);
    float edge = (1.0f - d) * std::min(rx, ry);
    return std::clamp(edge + 0.5f, 0.0f, 1.0f);
}

// Paints every pixel of the box with colour(x, y) at coverage(x, y).
inline void Paint(Canvas& canvas, int x0, int y0, int x1, int y1, const std::function<float(float, float)>& coverage,
                  const std::function<Colour(float, float)>& colour) {
    for (int y = std::max(0, y0); y <= std::min(canvas.height - 1, y1); ++y)
        for (int x = std::max(0, x0); x <= std::min(canvas.width - 1, x1); ++x) {
            float fx = x + 0.5f, fy = y + 0.5f;
            float a = coverage(fx, fy);
            if (a > 0) canvas.Blend(x, y, colour(fx, fy), a);
        }
}

// Lambert shading of a sphere-like bulge lit from the upper left: 0..1.
inline float BulgeLight(float x, float y, float cx, float cy, float rx, float ry) {
    float nx = (x - cx) / rx, ny = (y - cy) / ry;
    float nz2 = 1.0f - nx * nx - ny * ny;
    float nz = nz2 > 0 ? std::sqrt(nz2) : 0.0f;
    float light = -0.45f * nx - 0.5f * ny + 0.74f * nz;
    return std::clamp(light, 0.0f, 1.0f);
}

}  // namespace kvart
