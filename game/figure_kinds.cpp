#include "game/figure_kind.h"

#include "app/static_objects.h"
#include "display/display.h"
#include "game/actor_list.h"
#include "game/game.h"
#include "sound/sound_bank.h"

namespace {

int VillainHit(int32_t lifetime) {
    gGame.score += lifetime;
    gGame.hits += 1;
    return 1;
}

int PresidentHit(int32_t) {
    RestartSound(gSoundBank.wrong);
    gGame.presidentHits += 1;
    if (gGame.presidentHits >= kPresidentHitsToLose) {
        gGame.buttonLatch = 1;
        gActors.Clear();
        gGame.state = GameOver;
        return 0;
    }
    return 1;
}

}  // namespace

const FigureKind kVillainKind = {&lpDDSVillain, 700, 50, 500, 50, 100, 120, VillainHit, true};
const FigureKind kPresidentKind = {&lpDDSPresident, 718, 0, 500, 0, 82, 99, PresidentHit, false};
