// VILLAIN: head and shoulders of a man in a black balaclava, eyes narrowed,
// against a grimy wall.
#include "art.h"
#include "noise.h"
#include "shapes.h"

namespace kvart {
namespace {

constexpr int kWidth = 100;
constexpr int kHeight = 120;
constexpr uint32_t kSeed = 0xBAD;

}  // namespace

Picture MakeVillain() {
    Canvas c(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            float n = Fractal(x / 10.0f, y / 10.0f, kSeed);
            c.At(x, y) = Scale(Colour{96, 104, 88}, 0.55f + 0.5f * n - 0.25f * y / kHeight);
        }
    const float headX = 50, headY = 46, headRx = 27, headRy = 34;
    // Shoulders: a dark leather jacket, collar turned up.
    Paint(c, 0, 78, 99, 119,
          [](float x, float y) { return EllipseCoverage(x, y, 50, 128, 58, 46); },
          [](float x, float y) {
              float l = BulgeLight(x, y, 50, 128, 58, 46);
              return Scale(Colour{58, 50, 44}, 0.35f + 0.9f * l);
          });
    Paint(c, 30, 70, 70, 100,
          [](float x, float y) { return EllipseCoverage(x, y, 50, 84, 17, 14); },
          [](float x, float y) { return Scale(Colour{30, 30, 32}, 0.5f + 0.8f * BulgeLight(x, y, 50, 84, 17, 14)); });
    // The jacket's zip and the collar's edges.
    Paint(c, 46, 96, 54, 119, [](float x, float) { return std::clamp(1.2f - std::fabs(x - 50), 0.0f, 1.0f); },
          [](float, float y) { return static_cast<int>(y) % 2 ? Colour{150, 150, 140} : Colour{90, 90, 86}; });
    for (int side = -1; side <= 1; side += 2)
        Paint(c, 0, 84, 99, 119,
              [=](float x, float y) {
                  float edge = 50 + side * (14 + (y - 88) * 0.9f);
                  return y > 86 ? std::clamp(1.0f - std::fabs(x - edge), 0.0f, 1.0f) * 0.8f : 0.0f;
              },
              [](float, float) { return Colour{20, 18, 16}; });
    // The balaclava: knitted black wool over the whole head.
    Paint(c, 20, 8, 80, 84,
          [&](float x, float y) { return EllipseCoverage(x, y, headX, headY, headRx, headRy); },
          [&](float x, float y) {
              float l = BulgeLight(x, y, headX, headY, headRx, headRy);
              float knit = 0.85f + 0.3f * (std::sin(x * 1.9f) * 0.5f + 0.5f) * (std::sin(y * 0.9f) * 0.5f + 0.5f);
              return Scale(Colour{44, 44, 50}, (0.25f + 1.1f * l) * knit);
          });
    // Eye slit: skin showing through, with a heavy frown.
    Paint(c, 28, 34, 72, 50,
          [](float x, float y) { return EllipseCoverage(x, y, 50, 42, 19, 6.5f); },
          [](float x, float y) {
              float l = BulgeLight(x, y, 50, 44, 26, 20);
              return Scale(Colour{196, 140, 112}, 0.45f + 0.7f * l);
          });
    for (int side = -1; side <= 1; side += 2) {
        float ex = 50 + side * 9.5f;
        // Eye white, iris and a glint: narrowed to a squint.
        Paint(c, static_cast<int>(ex) - 6, 38, static_cast<int>(ex) + 6, 47,
              [=](float x, float y) { return EllipseCoverage(x, y, ex, 43.5f, 5.2f, 2.2f); },
              [](float, float) { return Colour{222, 214, 200}; });
        Paint(c, static_cast<int>(ex) - 3, 40, static_cast<int>(ex) + 3, 47,
              [=](float x, float y) { return EllipseCoverage(x, y, ex + side * 0.5f, 43.5f, 2.2f, 2.2f); },
              [](float, float) { return Colour{50, 30, 20}; });
        c.Blend(static_cast<int>(ex), 42, Colour{255, 255, 255}, 0.7f);
        // Brows slant down toward the nose: the angry look.
        Paint(c, static_cast<int>(ex) - 8, 34, static_cast<int>(ex) + 8, 42,
              [=](float x, float y) {
                  float t = (x - ex) * side;   // outward positive
                  float line = 38.5f + t * -0.35f;
                  if (std::fabs(t) > 7) return 0.0f;
                  return std::clamp(1.6f - std::fabs(y - line), 0.0f, 1.0f);
              },
              [](float, float) { return Colour{40, 26, 20}; });
    }
    // Mouth hole with a tight, down-turned mouth.
    Paint(c, 38, 60, 62, 72,
          [](float x, float y) { return EllipseCoverage(x, y, 50, 65.5f, 8.5f, 4.5f); },
          [](float x, float y) { return Scale(Colour{186, 130, 104}, 0.5f + 0.6f * BulgeLight(x, y, 50, 62, 14, 10)); });
    Paint(c, 42, 62, 58, 69,
          [](float x, float y) {
              float line = 66.0f + 0.04f * (x - 50) * (x - 50);
              if (std::fabs(x - 50) > 6) return 0.0f;
              return std::clamp(1.3f - std::fabs(y - line), 0.0f, 1.0f);
          },
          [](float, float) { return Colour{90, 40, 36}; });
    Picture p = Quantise(c, {{0, Rgb{0, 0, 0}}});
    p.pelsPerMeter = 2834;
    return p;
}

}  // namespace kvart
