// The whole program from start to Escape: intro, a full game, game over, and
// a second game started from the game-over screen.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/app.h"
#include "app/static_objects.h"
#include "game/game.h"
#include "input/input_devices.h"
#include "platform/inspect.h"
#include "support/game_run.h"

using namespace kalvenor_test;

namespace {

constexpr uint32_t kStart = 10;                     // the click that leaves the intro
constexpr uint32_t kGameOverSeen = kStart + kFramesPerGame + 3;

TEST(AppSession, IntroGameGameOverAndAnotherGame) {
    GameRun run;
    headless::SetTickStep(2);
    std::vector<int32_t> states;
    auto look = [&] { states.push_back(gGame.state); };
    run.At(kStart - 1, look);
    run.At(kStart, [] { Click(0); });
    run.At(kStart + 1, look);
    // Aim at the middle and fire a few shots, waiting for each animation.
    run.At(kStart + 2, [] { MoveMouseTo(375, 275); });
    int32_t cursorX = 0;
    int32_t cursorY = 0;
    run.At(kStart + 3, [&] {
        cursorX = gInput.cursorX;
        cursorY = gInput.cursorY;
    });
    for (uint32_t shot = 0; shot < 5; ++shot) run.At(kStart + 20 + 10 * shot, [] { Click(0); });
    int32_t shotsFired = -1;
    run.At(kStart + 100, [&] { shotsFired = gGame.shotsFired; });
    // Reload, then move about.
    run.At(kStart + 110, [] { Click(1); });
    int32_t roundsAfterReload = -1;
    run.At(kStart + 112, [&] { roundsAfterReload = gGame.roundsLeft; });
    run.At(kStart + 500, [] { MoveMouseBy(-1000, -1000); });
    int32_t clampedX = -1;
    int32_t clampedY = -1;
    run.At(kStart + 501, [&] {
        clampedX = gInput.cursorX;
        clampedY = gInput.cursorY;
    });
    run.At(kStart + kFramesPerGame - 1, look);
    run.At(kGameOverSeen, look);
    // The latch set at the end of the game holds until the buttons are up;
    // then a press starts the next game.
    run.At(kGameOverSeen + 5, [] { Click(0); });
    run.At(kGameOverSeen + 7, look);
    EXPECT_EQ(run.Run(kGameOverSeen + 20), 0);

    EXPECT_EQ(states, (std::vector<int32_t>{Intro, Playing, Playing, GameOver, Playing}));
    EXPECT_EQ(cursorX, 375);
    EXPECT_EQ(cursorY, 275);
    EXPECT_EQ(shotsFired, 5);
    EXPECT_EQ(roundsAfterReload, kRoundsPerReload);
    EXPECT_EQ(clampedX, 0);
    EXPECT_EQ(clampedY, 0);
    EXPECT_EQ(frameCount, kGameOverSeen + 20);
    EXPECT_TRUE(headless::MessageBoxes().empty());
    EXPECT_FALSE(headless::WindowShown());
    EXPECT_EQ(platform::inspect::LiveSurfaces(), 0);
    EXPECT_FALSE(headless::MixedAudio().empty());
}

TEST(AppSession, TheSameSeedPlaysTheSameGame) {
    auto play = [](uint32_t seed) {
        GameRun run(seed);
        run.At(2, [] { Click(0); });
        std::vector<uint16_t> pixels;
        run.At(600, [&] { pixels = headless::LastFrame().pixels; });
        run.Run(600);
        return pixels;
    };
    std::vector<uint16_t> first = play(7);
    EXPECT_EQ(play(7), first);
    EXPECT_NE(play(8), first);
}

}  // namespace
