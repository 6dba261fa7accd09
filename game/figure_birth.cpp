#include "app/static_objects.h"
#include "game/figure_kind.h"
#include "game/figures.h"

#include <cstdlib>

namespace {

constexpr int32_t kEntryDirections = 3;

template <typename Figure>
void BringToLife(Figure& figure, const FigureKind& kind) {
    figure.layer = 0;
    figure.entryStep = 0;
    figure.lifetime = kFigureLifetime;
    figure.dyingCount = 0;
    figure.flipPhase = 0;
    // Three draws in this order: x, y, then the entry direction.
    figure.x = rand() % kind.xSpan + kind.xBase;
    figure.y = rand() % kind.ySpan + kind.yBase;
    figure.entryDirection = rand() % kEntryDirections;
    gActors.Add(&figure);
}

}  // namespace

VillainFigure::VillainFigure() { BringToLife(*this, kVillainKind); }

PresidentFigure::PresidentFigure() { BringToLife(*this, kPresidentKind); }
