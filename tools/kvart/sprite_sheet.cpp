// The SPRITES sheet: crosshair, cartridge and the four muzzle-flash frames,
// each inside its rectangle on pure black (black is see-through).
#include <cmath>

#include "art.h"

namespace kvart {
namespace {

constexpr int kSheetWidth = 50;
constexpr int kSheetHeight = 90;

constexpr uint8_t kWhite = 1;
constexpr uint8_t kLightGrey = 2;
constexpr uint8_t kBrass = 3;        // kBrassShades entries, dark to bright
constexpr int kBrassShades = 6;
constexpr uint8_t kCopper = 9;
constexpr uint8_t kPrimer = 10;
constexpr uint8_t kYellow = 11;      // kYellowShades entries, deep to pale
constexpr int kYellowShades = 4;

// The crosshair's bars cross here; the drawing spans x 0..46, y 6..47.
constexpr int kCrossX = 22;
constexpr int kCrossY = 26;

void Ring(Picture& p, float cx, float cy, float radius, float thickness, uint8_t colour) {
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            float d = std::hypot(x - cx, y - cy);
            if (std::fabs(d - radius) <= thickness / 2) p.At(x, y) = colour;
        }
}

void DrawCrosshair(Picture& p) {
    Ring(p, kCrossX, kCrossY, 18.0f, 2.2f, kWhite);
    Ring(p, kCrossX, kCrossY, 9.0f, 2.0f, kLightGrey);
    for (int x = 0; x <= 46; ++x)
        for (int dy = -1; dy <= 1; ++dy) p.At(x, kCrossY + dy) = dy == 0 ? kWhite : kLightGrey;
    for (int y = 6; y <= 47; ++y)
        for (int dx = -1; dx <= 1; ++dx) p.At(kCrossX + dx, y) = dx == 0 ? kWhite : kLightGrey;
}

// Upright, bullet on top, x 32..43 and y 50..87.
void DrawCartridge(Picture& p) {
    constexpr int left = 32, right = 43, top = 50, bottom = 87;
    constexpr float centre = (left + right) / 2.0f;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            float across = (x - centre) / ((right - left) / 2.0f);   // -1..1
            int shade = static_cast<int>(std::lround((1.0f - std::fabs(across + 0.35f) * 0.8f) * (kBrassShades - 1)));
            shade = std::max(0, std::min(kBrassShades - 1, shade));
            if (y < top + 12) {
                // The bullet: a rounded copper tip, narrower than the case.
                float half = 4.5f * std::sqrt(std::min(1.0f, (y - top + 1) / 8.0f));
                if (std::fabs(x - centre) <= half) p.At(x, y) = shade > 2 ? kCopper : kBrass + 1;
            } else if (y == top + 12 || y >= bottom - 2) {
                p.At(x, y) = static_cast<uint8_t>(kBrass + std::max(0, shade - 2));   // crimp and rim
            } else if (y == bottom - 3 && x > left + 1 && x < right - 1) {
                p.At(x, y) = kBrass;
            } else if (x > left || y < bottom - 3) {
                p.At(x, y) = static_cast<uint8_t>(kBrass + shade);
            }
        }
    for (int x = 36; x <= 39; ++x) p.At(x, bottom) = kPrimer;
}

void DrawFlash(Picture& p, int top, float radius) {
    constexpr float cx = 15.5f;
    float cy = top + 3.5f;
    for (int y = top; y < top + 8; ++y)
        for (int x = 12; x < 20; ++x) {
            float d = std::hypot(x - cx, y - cy);
            if (d > radius) continue;
            int shade = static_cast<int>((1.0f - d / (radius + 0.01f)) * kYellowShades);
            p.At(x, y) = static_cast<uint8_t>(kYellow + std::min(kYellowShades - 1, shade));
        }
}

}  // namespace

Picture MakeSpriteSheet() {
    Picture p(kSheetWidth, kSheetHeight);
    p.palette[kWhite] = {255, 255, 255};
    p.palette[kLightGrey] = {192, 192, 200};
    const Rgb brass[kBrassShades] = {{112, 78, 20}, {150, 110, 30}, {186, 142, 44},
                                     {212, 170, 66}, {236, 200, 104}, {255, 236, 170}};
    for (int i = 0; i < kBrassShades; ++i) p.palette[kBrass + i] = brass[i];
    p.palette[kCopper] = {200, 110, 60};
    p.palette[kPrimer] = {170, 170, 160};
    const Rgb yellow[kYellowShades] = {{255, 170, 0}, {255, 210, 30}, {255, 240, 90}, {255, 255, 200}};
    for (int i = 0; i < kYellowShades; ++i) p.palette[kYellow + i] = yellow[i];
    DrawCrosshair(p);
    DrawCartridge(p);
    DrawFlash(p, 55, 0.8f);
    DrawFlash(p, 63, 1.6f);
    DrawFlash(p, 71, 2.6f);
    DrawFlash(p, 79, 3.8f);
    return p;
}

}  // namespace kvart
