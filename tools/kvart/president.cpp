// PRESIDENT: a friendly grey-haired man in a dark suit and red tie before a
// blue curtain. The picture holds no black: entry 0 of its colour table is
// a dark red-brown that no pixel uses.
#include "art.h"
#include "noise.h"
#include "shapes.h"

namespace kvart {
namespace {

constexpr int kWidth = 100;
constexpr int kHeight = 120;
constexpr uint32_t kSeed = 0x9E5;
constexpr Rgb kEntryZero{82, 47, 47};
// Every colour keeps a channel at this level or more: nothing is black.
constexpr float kDarkFloor = 28.0f;

}  // namespace

Picture MakePresident() {
    Canvas c(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            float fold = std::sin(x / 5.5f + 0.6f * std::sin(y / 23.0f)) * 0.5f + 0.5f;
            c.At(x, y) = Scale(Colour{60, 90, 170}, 0.6f + 0.45f * fold + 0.1f * Fractal(x / 8.0f, y / 8.0f, kSeed));
        }
    const float headX = 50, headY = 48, headRx = 22, headRy = 28;
    // Suit: navy shoulders.
    Paint(c, 0, 80, 99, 119, [](float x, float y) { return EllipseCoverage(x, y, 50, 132, 60, 48); },
          [](float x, float y) { return Scale(Colour{40, 48, 86}, 0.45f + 0.8f * BulgeLight(x, y, 50, 132, 60, 48)); });
    // Shirt: a white V under the chin.
    Paint(c, 34, 76, 66, 119,
          [](float x, float y) {
              float half = (y - 78) * 0.42f;
              return std::clamp(half - std::fabs(x - 50) + 0.5f, 0.0f, 1.0f) * (y > 78 ? 1.0f : 0.0f);
          },
          [](float x, float) { return Scale(Colour{240, 240, 236}, 0.85f + 0.15f * (x < 50)); });
    // Lapels folded back beside the shirt, with a lit edge.
    Paint(c, 20, 80, 80, 119,
          [](float x, float y) {
              float out = std::fabs(x - 50) - (y - 78) * 0.42f;   // 0 on the shirt's edge
              return y > 80 && out > 0 && out < 7 + (y - 80) * 0.15f ? 1.0f : 0.0f;
          },
          [](float x, float y) {
              float out = std::fabs(x - 50) - (y - 78) * 0.42f;
              return out < 1.2f ? Colour{120, 130, 170} : Colour{30, 36, 70};
          });
    // Tie: red, a knot and a widening blade.
    Paint(c, 40, 80, 60, 119,
          [](float x, float y) {
              float half = y < 87 ? 3.2f : 2.5f + (y - 87) * 0.12f;
              return y >= 80 ? std::clamp(half - std::fabs(x - 50) + 0.5f, 0.0f, 1.0f) : 0.0f;
          },
          [](float x, float y) {
              float stripe = std::fmod(x + y * 0.8f, 6.0f) < 1.5f ? 0.75f : 1.0f;
              return Scale(Colour{200, 30, 40}, stripe * (x < 50 ? 1.05f : 0.85f));
          });
    // Neck and ears.
    Paint(c, 38, 66, 62, 86, [](float x, float y) { return EllipseCoverage(x, y, 50, 76, 11, 11); },
          [](float x, float y) { return Scale(Colour{220, 170, 140}, 0.55f + 0.45f * BulgeLight(x, y, 52, 70, 12, 14)); });
    for (int side = -1; side <= 1; side += 2) {
        float ex = headX + side * 21.5f;
        Paint(c, static_cast<int>(ex) - 5, 40, static_cast<int>(ex) + 5, 60,
              [=](float x, float y) { return EllipseCoverage(x, y, ex, 50, 4.2f, 7.5f); },
              [=](float x, float y) { return Scale(Colour{226, 166, 140}, 0.6f + 0.4f * BulgeLight(x, y, ex, 50, 4.2f, 7.5f)); });
    }
    // Face.
    Paint(c, 24, 16, 76, 80, [&](float x, float y) { return EllipseCoverage(x, y, headX, headY, headRx, headRy); },
          [&](float x, float y) {
              float l = BulgeLight(x, y, headX, headY, headRx, headRy);
              return Scale(Colour{236, 184, 150}, 0.5f + 0.6f * l);
          });
    // Grey hair: a full, neatly parted top and greying sides.
    Paint(c, 22, 12, 78, 50,
          [&](float x, float y) {
              float top = EllipseCoverage(x, y, headX, 34, 24.5f, 22.5f);
              // Higher over the parting on the left, down to the temples.
              float hairline = 27.0f + 0.018f * (x - 44) * (x - 44) + (x < 40 ? 2.0f : 0.0f);
              float below = std::clamp(hairline - y + 0.5f, 0.0f, 1.0f);
              return top * below;
          },
          [&](float x, float y) {
              float l = BulgeLight(x, y, headX, 34, 24.5f, 22.5f);
              float wave = 0.97f + 0.03f * std::sin(x * 0.45f + y * 0.8f) + 0.1f * (ValueNoise(x / 1.5f, y / 5.0f, kSeed + 3) - 0.5f);
              return Scale(Colour{200, 200, 206}, (0.5f + 0.65f * l) * wave);
          });
    for (int side = -1; side <= 1; side += 2) {
        float ex = headX + side * 9.0f;
        // Brows, eyes with a friendly crinkle.
        Paint(c, static_cast<int>(ex) - 6, 36, static_cast<int>(ex) + 6, 42,
              [=](float x, float y) {
                  float t = x - ex;
                  if (std::fabs(t) > 5.5f) return 0.0f;
                  float line = 38.5f + 0.05f * t * t;
                  return std::clamp(1.5f - std::fabs(y - line), 0.0f, 1.0f);
              },
              [](float, float) { return Colour{150, 150, 156}; });
        Paint(c, static_cast<int>(ex) - 5, 41, static_cast<int>(ex) + 5, 48,
              [=](float x, float y) { return EllipseCoverage(x, y, ex, 44.5f, 4.2f, 2.4f); },
              [](float, float) { return Colour{246, 244, 240}; });
        Paint(c, static_cast<int>(ex) - 3, 42, static_cast<int>(ex) + 3, 48,
              [=](float x, float y) { return EllipseCoverage(x, y, ex, 44.8f, 2.0f, 2.0f); },
              [](float, float) { return Colour{60, 90, 130}; });
        c.Blend(static_cast<int>(ex) - 1, 43, Colour{255, 255, 255}, 0.8f);
    }
    // Nose: a soft shadow on the side away from the light, a lit tip.
    Paint(c, 45, 44, 58, 60, [](float x, float y) { return EllipseCoverage(x, y, 52.5f, 54, 3.5f, 4.5f) * 0.6f; },
          [](float, float) { return Colour{190, 130, 104}; });
    Paint(c, 45, 44, 56, 60, [](float x, float y) { return EllipseCoverage(x, y, 50.5f, 54.5f, 3.0f, 2.6f); },
          [](float, float) { return Colour{244, 196, 166}; });
    // Rosy cheeks.
    for (int side = -1; side <= 1; side += 2)
        Paint(c, 28, 50, 72, 66, [=](float x, float y) { return EllipseCoverage(x, y, 50 + side * 12.5f, 58, 5, 3.5f) * 0.2f; },
              [](float, float) { return Colour{230, 120, 110}; });
    // A broad smile showing the upper teeth.
    auto mouth = [](float x, float y) {
        float t = x - 50;
        if (std::fabs(t) > 10.5f) return 0.0f;
        float upper = 62.5f - 0.025f * t * t, lower = 67.0f - 0.06f * t * t;
        return std::clamp(std::min(y - upper, lower - y) + 0.5f, 0.0f, 1.0f);
    };
    Paint(c, 36, 58, 64, 70, mouth, [](float x, float y) {
        float t = x - 50;
        float teethLine = 64.6f - 0.035f * t * t;
        return y < teethLine ? Colour{250, 246, 236} : Colour{150, 60, 64};
    });
    // Smile creases at the corners.
    for (int side = -1; side <= 1; side += 2)
        Paint(c, 30, 56, 70, 68,
              [=](float x, float y) {
                  float cx = 50 + side * 12.0f;
                  float d = std::hypot(x - cx, y - 61.5f);
                  bool outward = (x - cx) * side > -0.5f;
                  return outward ? std::clamp(1.0f - std::fabs(d - 2.5f), 0.0f, 1.0f) * 0.55f : 0.0f;
              },
              [](float, float) { return Colour{170, 110, 90}; });
    Picture p = Quantise(c, {{0, kEntryZero}}, kDarkFloor);
    p.pelsPerMeter = 2835;
    return p;
}

}  // namespace kvart
