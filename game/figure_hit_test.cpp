#include "app/static_objects.h"
#include "game/figure_kind.h"
#include "game/figures.h"
#include "game/game.h"
#include "input/input_devices.h"

namespace {

// The crosshair's centre, from its top-left corner.
constexpr int32_t kAimOffset = 25;

template <typename Figure>
int TestForHit(Figure& figure, const FigureKind& kind) {
    if (gGame.roundsLeft == 0) return 0;
    const int32_t ax = gInput.cursorX + kAimOffset;
    const int32_t ay = gInput.cursorY + kAimOffset;
    if (ax < figure.x || ax > figure.x + kind.hitWidth) return 0;
    if (ay < figure.y || ay > figure.y + kind.hitHeight) return 0;
    // A hit that ended the game has destroyed the figure with the others.
    if (kind.onHit(figure.lifetime)) figure.dyingCount = kDyingStart;
    return 1;
}

}  // namespace

int VillainFigure::HitTest() { return TestForHit(*this, kVillainKind); }

int PresidentFigure::HitTest() { return TestForHit(*this, kPresidentKind); }
