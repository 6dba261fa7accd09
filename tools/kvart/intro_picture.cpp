// INTROPIC: the title screen. A dark blue ground dithered from two colour
// table entries, the hand-lettered title, a framed desert snapshot, the
// maker's line in the band that ripples on screen, a contact line.
#include "art.h"
#include "noise.h"
#include "shapes.h"
#include "text_render.h"

namespace kvart {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr uint32_t kSeed = 0x1A7;
constexpr int kGroundA = 98;
constexpr int kGroundB = 99;
constexpr Rgb kGroundColourA{14, 22, 78};
constexpr Rgb kGroundColourB{6, 10, 52};

// The band the game redraws rippling: rows 392..489, columns 184..603.
constexpr int kBandTop = 392, kBandBottom = 489, kBandLeft = 184, kBandRight = 603;

Colour ToColour(Rgb c) { return {static_cast<float>(c.r), static_cast<float>(c.g), static_cast<float>(c.b)}; }

// Draws a mask with its top-left at (x, y). With a brush size, the strokes
// swell and thin along the line and the letters bob on the baseline, as if
// painted by hand.
void Letter(Canvas& c, const Mask& m, int x, int y, Colour top, Colour bottom, float brush, uint32_t seed) {
    int reach = static_cast<int>(std::ceil(brush)) + 8;
    for (int my = -reach; my < m.height + reach; ++my)
        for (int mx = -reach; mx < m.width + reach; ++mx) {
            float bob = brush * 0.8f * std::sin(mx / 70.0f + 0.7f);
            float dx = brush * (ValueNoise(mx / 30.0f, my / 30.0f, seed) - 0.5f);
            float dy = brush * (ValueNoise(mx / 30.0f + 7, my / 30.0f, seed + 1) - 0.5f) + bob;
            int sx = static_cast<int>(std::lround(mx + dx)), sy = static_cast<int>(std::lround(my + dy));
            float a = m.At(sx, sy) / 255.0f;
            int swell = static_cast<int>(std::lround(brush * 0.3f * ValueNoise(mx / 18.0f, my / 18.0f, seed + 2)));
            for (int k = 1; k <= swell && a < 1; ++k)
                a = std::max({a, m.At(sx - k, sy) / 255.0f, m.At(sx + k, sy) / 255.0f, m.At(sx, sy - k) / 255.0f});
            if (a <= 0) continue;
            float t = m.height > 1 ? std::clamp(static_cast<float>(my) / m.height, 0.0f, 1.0f) : 0.0f;
            // Dry-brush streaks along the stroke.
            float streak = brush > 0 ? 0.9f + 0.1f * ValueNoise(mx / 9.0f, my / 1.5f, seed + 3) : 1.0f;
            c.Blend(x + mx, y + my, Scale(Lerp(top, bottom, t), streak), a);
        }
}

void DrawSnapshot(Canvas& c, int left, int top, int width, int height) {
    constexpr int frame = 10;
    Paint(c, left - frame, top - frame, left + width + frame - 1, top + height + frame - 1,
          [](float, float) { return 1.0f; },
          [&](float x, float y) {
              float edge = std::min({x - (left - frame), y - (top - frame), left + width + frame - x, top + height + frame - y});
              float bevel = edge < 3 ? 1.25f : (edge > frame - 3 ? 0.7f : 1.0f);
              float grain = 0.85f + 0.25f * ValueNoise(x / 3.0f, y / 40.0f, kSeed + 5);
              return Scale(Colour{170, 120, 50}, bevel * grain);
          });
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            float fx = static_cast<float>(x), fy = static_cast<float>(y);
            float horizon = height * 0.55f + 10 * std::sin(fx / 37.0f) + 6 * std::sin(fx / 13.0f + 1);
            Colour col;
            if (fy < horizon) {
                col = Lerp(Colour{250, 190, 120}, Colour{90, 140, 220}, 1.0f - fy / horizon);
                float sun = std::hypot(fx - width * 0.72f, fy - horizon * 0.55f);
                if (sun < 18) col = Lerp(Colour{255, 245, 200}, col, sun / 18.0f * sun / 18.0f);
                // Distant mesas against the sky.
                float mesa = horizon - 30 - 8 * ValueNoise(fx / 20.0f, 0, kSeed + 6);
                if (fx > width * 0.08f && fx < width * 0.38f && fy > mesa) col = Colour{150, 90, 70};
            } else {
                float dune = std::sin(fx / 23.0f + fy / 9.0f) * 0.5f + 0.5f;
                col = Lerp(Colour{200, 140, 80}, Colour{240, 190, 120}, dune * (fy - horizon) / (height - horizon));
            }
            // A saguaro in the foreground.
            float cx = width * 0.25f;
            bool trunk = std::fabs(fx - cx) < 5 && fy > height * 0.35f;
            bool arm = (fx > cx + 4 && fx < cx + 16 && std::fabs(fy - height * 0.6f) < 4) ||
                       (std::fabs(fx - (cx + 14)) < 4 && fy > height * 0.42f && fy < height * 0.62f);
            if (trunk || arm) col = Lerp(Colour{40, 110, 50}, Colour{20, 70, 30}, std::fabs(fx - cx) / 16.0f);
            c.At(left + x, top + y) = col;
            c.fixedIndex[static_cast<size_t>(top + y) * kWidth + left + x] = -1;
        }
}

}  // namespace

Picture MakeIntroPicture() {
    Canvas c(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            bool a = ((x + y) & 1) == 0;
            c.At(x, y) = ToColour(a ? kGroundColourA : kGroundColourB);
            c.fixedIndex[static_cast<size_t>(y) * kWidth + x] = a ? kGroundA : kGroundB;
        }

    Mask title = RenderText("DejaVuSerif-BoldItalic.ttf", 132, "Kalvenor", 0.12f);
    int titleX = (kWidth - title.width) / 2, titleY = 10;
    Letter(c, title, titleX + 6, titleY + 6, Colour{0, 0, 20}, Colour{0, 0, 20}, 8.0f, kSeed);
    Letter(c, title, titleX, titleY, Colour{255, 255, 255}, Colour{206, 212, 236}, 8.0f, kSeed);

    DrawSnapshot(c, 280, 190, 240, 170);

    // The largest size whose line fits the band with a margin.
    Mask maker;
    for (int size = 44; size > 8; --size) {
        maker = RenderText("DejaVuSerif-Bold.ttf", size, "Kalvenor Games 2026");
        if (maker.width <= kBandRight - kBandLeft - 30 && maker.height <= kBandBottom - kBandTop - 20) break;
    }
    int makerX = (kBandLeft + kBandRight + 1 - maker.width) / 2;
    int makerY = (kBandTop + kBandBottom + 1 - maker.height) / 2;
    Letter(c, maker, makerX + 3, makerY + 3, Colour{0, 0, 10}, Colour{0, 0, 10}, 0.0f, kSeed);
    Letter(c, maker, makerX, makerY, Colour{255, 220, 120}, Colour{220, 150, 60}, 0.0f, kSeed);

    Mask contact = RenderText("DejaVuSans.ttf", 16, "Contact: games@kalvenor.example");
    Letter(c, contact, 14, kHeight - contact.height - 8, Colour{190, 200, 230}, Colour{150, 160, 200}, 0.0f, kSeed);

    Picture p = Quantise(c, {{0, Rgb{0, 0, 0}}, {kGroundA, kGroundColourA}, {kGroundB, kGroundColourB}});
    p.pelsPerMeter = 3779;
    return p;
}

}  // namespace kvart
