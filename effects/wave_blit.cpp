// WaveBlit: the rippling intro band, one source column per blit, each moved
// by a travelling sine wave.
#include "effects/wave_blit.h"

#include <algorithm>
#include <cstdint>

#include "app/app.h"
#include "display/blit.h"
#include "display/display.h"

uint32_t wavePhase = 0;

namespace {

constexpr uint32_t kWaveSteps = 252;
constexpr uint32_t kPhasePerFrame = 5;
constexpr int64_t kWavelengthScale = 100;

// sin(i degrees) rounded to six decimals, i = 0..63: a quarter of the cycle.
constexpr double kSine[64] = {
    0.000000, 0.017452, 0.034899, 0.052336, 0.069756, 0.087156, 0.104528, 0.121869,
    0.139173, 0.156434, 0.173648, 0.190809, 0.207912, 0.224951, 0.241922, 0.258819,
    0.275637, 0.292372, 0.309017, 0.325568, 0.342020, 0.358368, 0.374607, 0.390731,
    0.406737, 0.422618, 0.438371, 0.453990, 0.469472, 0.484810, 0.500000, 0.515038,
    0.529919, 0.544639, 0.559193, 0.573576, 0.587785, 0.601815, 0.615661, 0.629320,
    0.642788, 0.656059, 0.669131, 0.681998, 0.694658, 0.707107, 0.719340, 0.731354,
    0.743145, 0.754710, 0.766044, 0.777146, 0.788011, 0.798636, 0.809017, 0.819152,
    0.829038, 0.838671, 0.848048, 0.857167, 0.866025, 0.874620, 0.882948, 0.891007,
};

}  // namespace

double WaveShape(uint32_t step) {
    const uint32_t s = step % kWaveSteps;
    if (s <= 63) return kSine[s];
    if (s <= 125) return kSine[126 - s];
    if (s <= 188) return -kSine[s - 126];
    return -kSine[252 - s];
}

void WaveBlit(LPDIRECTDRAWSURFACE source, LONG left, LONG top, LONG right, LONG bottom, LONG destX, LONG destY,
              LONG amplitude, LONG divisor, DWORD flags) {
    wavePhase = (kPhasePerFrame * frameCount) % kWaveSteps;
    const DWORD blitFlags = (flags & kWaveColourKey) ? DDBLTFAST_SRCCOLORKEY : DDBLTFAST_NOCOLORKEY;
    // A zero wavelength has no wave to draw.
    if ((flags & kWaveColumns) == 0 || divisor == 0 || ActiveDisplay == nullptr) return;
    // Only columns that can land on the screen are visited; Blit would drop
    // the others anyway.
    const int64_t columns = int64_t{right} - left;
    const int64_t first = destX < 0 ? -int64_t{destX} : 0;
    const int64_t end = std::min(columns, int64_t{kScreenWidth} - destX);
    for (int64_t k = first; k < end; ++k) {
        const int64_t x = destX + k;
        const int64_t t = kWavelengthScale * x / divisor;
        // Columns left of x = 0 give a negative t; keep the step inside the
        // cycle so the table is never read outside.
        int64_t s = (t + wavePhase) % kWaveSteps;
        if (s < 0) s += kWaveSteps;
        const LONG offset = static_cast<LONG>(static_cast<double>(amplitude) * WaveShape(static_cast<uint32_t>(s)));
        const int64_t y = int64_t{destY} + offset;
        if (y < INT32_MIN || y > INT32_MAX) continue;
        const LONG column = static_cast<LONG>(left + k);
        ActiveDisplay->Blit(static_cast<LONG>(x), static_cast<LONG>(y), RECT{column, top, column + 1, bottom},
                            source, BackBuffer, blitFlags);
    }
}
