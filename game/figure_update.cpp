#include "app/static_objects.h"
#include "display/display.h"
#include "game/figure_kind.h"
#include "game/figures.h"
#include "game/game.h"
#include "sound/sound_bank.h"

#include <cstdlib>

namespace {

constexpr uint8_t kRevealSteps = 20;
constexpr int32_t kRevealWidthStep = 5;   // per step, from a side edge
constexpr int32_t kRevealHeightStep = 6;  // per step, rising from below
constexpr int32_t kRisingEntry = 2;       // entryDirection of the rising figure
constexpr int32_t kWalkStep = 4;
constexpr int32_t kDyingStep = 2;
constexpr int32_t kHitSoundAt = 80;
constexpr int32_t kHopHeight = 50;
constexpr int32_t kTumbleSpeedBase = 50;

void PlayHitSound() {
    SoundSample* const hitSounds[] = {gSoundBank.hit1, gSoundBank.hit2, gSoundBank.hit3};
    SoundSample::Play(hitSounds[rand() % 3], 0);
}

void DrawFigurePart(LONG x, LONG y, RECT source, const FigureKind& kind) {
    ActiveDisplay->Blit(x, y, source, *kind.picture, BackBuffer, DDBLTFAST_NOCOLORKEY);
}

template <typename Figure>
void DrawReveal(const Figure& figure, const FigureKind& kind) {
    const int32_t s = figure.entryStep;
    switch (figure.entryDirection) {
    case 0: {
        const int32_t w = kRevealWidthStep * s;
        DrawFigurePart(figure.x, figure.y, RECT{kFigureWidth - w, 0, kFigureWidth, kFigureHeight}, kind);
        break;
    }
    case 1: {
        const int32_t w = kRevealWidthStep * s;
        DrawFigurePart(figure.x + kFigureWidth - w, figure.y, RECT{0, 0, w, kFigureHeight}, kind);
        break;
    }
    default: {
        const int32_t h = kRevealHeightStep * s;
        DrawFigurePart(figure.x, figure.y + kFigureHeight - h, RECT{0, 0, kFigureWidth, h}, kind);
        break;
    }
    }
}

template <typename Figure>
int UpdateFigure(Figure& figure, const FigureKind& kind) {
    figure.lifetime -= 1;

    if (figure.dyingCount != 0) {
        if (kind.hitSoundWhileDying && figure.dyingCount == kHitSoundAt) PlayHitSound();
        const int32_t hop = figure.dyingCount - kHopHeight;
        DrawTumbling(*kind.picture, RECT{0, 0, kFigureWidth, kFigureHeight}, figure.x,
                     figure.y + (hop < 0 ? -hop : hop) - kHopHeight, kTumbleSpeedBase,
                     figure.dyingCount, figure.flipPhase);
        figure.dyingCount -= kDyingStep;
        return figure.dyingCount == 0 ? 1 : 0;
    }

    if (gGame.shotAnim != 0) {
        figure.HitTest();
        // The game-ending hit cleared the list; this figure is gone.
        if (gActors.head == nullptr) return 0;
    }
    if (figure.lifetime == 0) return 1;

    if (figure.entryStep < kRevealSteps) {
        figure.entryStep += 1;
        DrawReveal(figure, kind);
        return 0;
    }

    figure.x += figure.entryDirection < kRisingEntry ? -kWalkStep : kWalkStep;
    DrawFigurePart(figure.x, figure.y, RECT{0, 0, kFigureWidth, kFigureHeight}, kind);
    return 0;
}

}  // namespace

int VillainFigure::Update() { return UpdateFigure(*this, kVillainKind); }

int PresidentFigure::Update() { return UpdateFigure(*this, kPresidentKind); }
