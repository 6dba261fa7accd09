// The two target figures: the villain to shoot and the president not to.
#pragma once

#include "game/actor_list.h"

#include <ddraw.h>

#include <cstdint>

class VillainFigure : public Actor {
public:
    VillainFigure();
    int Update() override;
    int HitTest();

    uint32_t flipPhase;
    uint8_t entryStep;
    int32_t lifetime;
    int32_t dyingCount;
    int32_t entryDirection;
};

class PresidentFigure : public Actor {
public:
    PresidentFigure();
    int Update() override;
    int HitTest();

    uint32_t flipPhase;
    uint8_t entryStep;
    int32_t lifetime;
    int32_t dyingCount;
    int32_t entryDirection;
};

// The dying animation's draw: the picture turning head over heels and
// shrinking, stretched straight into the back buffer. Advances flipPhase.
void DrawTumbling(LPDIRECTDRAWSURFACE picture, RECT srcRect, LONG destLeft, LONG destTop,
                  int32_t speedBase, int32_t dyingCount, uint32_t& flipPhase);
