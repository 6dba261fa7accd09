#include "display/display.h"
#include "game/figures.h"

#include <cmath>

namespace {

constexpr uint32_t kPhaseTurn = 1000;
constexpr uint32_t kPhaseQuarter = 250;
constexpr uint32_t kPhaseUpsideDown = 500;
// Around full height (250 and 750) the turn slows to a quarter.
constexpr uint32_t kSlowHalfWidth = 25;
constexpr uint32_t kSlowDivisor = 4;
// The single-precision 0.002 the turn's arithmetic was tuned with.
constexpr double kCutScale = static_cast<double>(0.002f);

bool Near(uint32_t phase, uint32_t centre) {
    return phase > centre - kSlowHalfWidth && phase < centre + kSlowHalfWidth;
}

bool InSlowZone(uint32_t phase) { return Near(phase, kPhaseQuarter) || Near(phase, kPhaseQuarter * 3); }

bool Opening(uint32_t phase) {
    return phase < kPhaseQuarter || (phase >= kPhaseUpsideDown && phase < kPhaseQuarter * 3);
}

}  // namespace

void DrawTumbling(LPDIRECTDRAWSURFACE picture, RECT srcRect, LONG destLeft, LONG destTop,
                  int32_t speedBase, int32_t dyingCount, uint32_t& flipPhase) {
    const int32_t speed = speedBase + (100 - dyingCount) / 10;
    flipPhase += InSlowZone(flipPhase) ? static_cast<uint32_t>(speed) / kSlowDivisor
                                       : static_cast<uint32_t>(speed);
    if (flipPhase >= kPhaseTurn) flipPhase = 0;

    const LONG h = srcRect.bottom - srcRect.top;
    const LONG w = srcRect.right - srcRect.left;
    const uint32_t c = flipPhase % kPhaseQuarter;
    const LONG cut = Opening(flipPhase)
                         ? static_cast<LONG>(std::trunc((0.5 - c * kCutScale) * h))
                         : static_cast<LONG>(std::trunc(static_cast<double>(static_cast<int64_t>(c) * h) * kCutScale));

    RECT dest{destLeft, destTop + cut, destLeft + w, destTop + h - cut};
    if (dyingCount < 100) {
        const double f = (100 - dyingCount) * 0.01;
        const LONG dh = static_cast<LONG>(std::trunc(((dest.bottom - dest.top) * 0.5) * f));
        dest.top += dh;
        dest.bottom -= dh;
        const LONG dw = static_cast<LONG>(std::trunc(((dest.right - dest.left) * 0.5) * f));
        dest.left += dw;
        dest.right -= dw;
    }

    if (BackBuffer == nullptr) return;
    DDBLTFX fx{};
    fx.dwSize = sizeof(fx);
    fx.dwDDFX = flipPhase > kPhaseUpsideDown ? DDBLTFX_MIRRORUPDOWN : 0;
    // Unclipped on purpose: the blitter refuses a rectangle that leaves the
    // back buffer, and the figure is simply missing from that frame.
    RetryLostSurface([&] { return BackBuffer->Blt(&dest, picture, &srcRect, DDBLT_DDFX, &fx); });
}
