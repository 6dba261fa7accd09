// The game's rules seen through the whole program on the headless host.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/app.h"
#include "app/static_objects.h"
#include "game/actor_list.h"
#include "game/figures.h"
#include "game/game.h"
#include "input/input_devices.h"
#include "platform/inspect.h"
#include "sound/sound_bank.h"
#include "support/game_run.h"

#include <cstdlib>

using namespace kalvenor_test;

namespace {

bool IntroStopped() {
    for (const auto& event : platform::inspect::SoundEvents()) {
        if (event.kind == platform::inspect::SoundEvent::Stop && gSoundBank.intro &&
            event.buffer == gSoundBank.intro->buffers[0]) {
            return true;
        }
    }
    return false;
}

TEST(GameSession, F1StartsAGameWithoutStoppingTheIntroAndRestartsOne) {
    GameRun run;
    run.At(5, [] { TapKey(VK_F1, DIK_F1); });
    int32_t stateAfterF1 = -1;
    bool introStoppedByF1 = true;
    run.At(7, [&] {
        stateAfterF1 = gGame.state;
        introStoppedByF1 = IntroStopped();
    });
    // Play until figures are about, fire once, then F1 again.
    run.At(300, [] { Click(0); });
    int32_t figuresBefore = 0;
    run.At(302, [&] {
        figuresBefore = gActors.count;
        TapKey(VK_F1, DIK_F1);
    });
    int32_t roundsAfter = -1, shotsAfter = -1, framesAfter = -1, figuresAfter = -1;
    run.At(303, [&] {
        roundsAfter = gGame.roundsLeft;
        shotsAfter = gGame.shotsFired;
        framesAfter = gGame.playFrames;
        figuresAfter = gActors.count;
    });
    run.Run(310);

    EXPECT_EQ(stateAfterF1, Playing);
    EXPECT_FALSE(introStoppedByF1);
    EXPECT_GT(figuresBefore, 0);
    EXPECT_EQ(roundsAfter, kRoundsPerReload);
    EXPECT_EQ(shotsAfter, 0);
    EXPECT_EQ(framesAfter, 1);
    EXPECT_LE(figuresAfter, 1);  // at most one spawn tick since
}

TEST(GameSession, DedicationShowsOnlyWhileBothKeysAreHeld) {
    GameRun run;
    auto band = [] {
        const headless::Frame& frame = headless::LastFrame();
        uint64_t sum = 0;
        for (int y = 520; y < 564; ++y) {
            for (int x = 130; x < 600; ++x) sum = sum * 31 + frame.At(x, y);
        }
        return sum;
    };
    uint64_t plain = 0, onlyE = 0, both = 0;
    run.At(3, [] { TapKey(VK_F1, DIK_F1); });
    // Game-over screen: a still picture, so only the texts can differ.
    run.At(6, [] {
        gActors.Clear();
        gGame.state = GameOver;
    });
    run.At(10, [&] {
        plain = band();
        PressKey('E', DIK_E);
    });
    run.At(11, [&] {
        onlyE = band();
        PressKey('P', DIK_P);
    });
    run.At(12, [&] {
        both = band();
        ReleaseKey('E', DIK_E);
        ReleaseKey('P', DIK_P);
    });
    run.Run(14);
    EXPECT_EQ(plain, onlyE);
    EXPECT_NE(plain, both);
}

// Find a president that is fully shown and not yet hit, and aim at it.
const PresidentFigure* TargetPresident() {
    const Actor* a = gActors.head;
    if (a == nullptr) return nullptr;
    do {
        const auto* p = dynamic_cast<const PresidentFigure*>(a);
        if (p && p->dyingCount == 0 && p->entryStep == 20 && p->lifetime > 10 && p->x + 41 >= 25 &&
            p->x + 41 <= 775 && p->y + 50 >= 25 && p->y + 50 <= 575) {
            return p;
        }
        a = a->next;
    } while (a != gActors.head);
    return nullptr;
}

TEST(GameSession, ThirdPresidentHitEndsTheGame) {
    GameRun run;
    run.At(2, [] { Click(0); });
    uint32_t aimedAt = 0;
    uint32_t endedAt = 0;
    int32_t actorsAtEnd = -1;
    run.EveryFrame([&](uint32_t presented, const headless::Frame&) {
        if (endedAt != 0 || presented < 5) return;
        if (gGame.state == GameOver) {
            endedAt = presented;
            actorsAtEnd = gActors.count;
            return;
        }
        if (aimedAt != 0 && presented < aimedAt + 15) return;
        if (const PresidentFigure* p = TargetPresident()) {
            MoveMouseTo(p->x + 41 - 25, p->y + 50 - 25);
            Click(0);
            aimedAt = presented;
        }
    });
    run.Run(kFramesPerGame);

    ASSERT_NE(endedAt, 0u);
    EXPECT_EQ(gGame.presidentHits, 3);
    EXPECT_EQ(actorsAtEnd, 0);
    EXPECT_LT(endedAt, kFramesPerGame);
}

}  // namespace
