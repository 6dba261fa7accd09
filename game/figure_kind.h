// What tells the two target figures apart: their picture, where they may
// appear, the box that counts as a hit and what a hit does.
#pragma once

#include <ddraw.h>

#include <cstdint>

struct FigureKind {
    LPDIRECTDRAWSURFACE* picture;  // the surface slot, read at every draw
    int32_t xSpan;                 // x at birth: rand() mod xSpan + xBase
    int32_t xBase;
    int32_t ySpan;                 // y at birth: rand() mod ySpan + yBase
    int32_t yBase;
    int32_t hitWidth;              // the hit box reaches x + hitWidth, inclusive
    int32_t hitHeight;
    // Scores the hit; lifetime is the figure's after this frame's decrement.
    // Returns 0 when the hit has ended the game and destroyed every figure.
    int (*onHit)(int32_t lifetime);
    bool hitSoundWhileDying;
};

extern const FigureKind kVillainKind;
extern const FigureKind kPresidentKind;

constexpr int32_t kFigureWidth = 100;
constexpr int32_t kFigureHeight = 120;
constexpr int32_t kFigureLifetime = 150;
constexpr int32_t kDyingStart = 100;
