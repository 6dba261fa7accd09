// The rippling band: a rectangle drawn one pixel column at a time, each
// shifted by a travelling sine wave.
#pragma once

#include <ddraw.h>

#include <cstdint>

constexpr DWORD kWaveColumns = 1;   // draw column by column with the wave
constexpr DWORD kWaveColourKey = 4; // use the source colour key

extern uint32_t wavePhase;

// S(s) of the 252-step wave cycle, s in 0..251.
double WaveShape(uint32_t step);

void WaveBlit(LPDIRECTDRAWSURFACE source, LONG left, LONG top, LONG right, LONG bottom, LONG destX,
              LONG destY, LONG amplitude, LONG divisor, DWORD flags);
