// The window procedure's keys and the intro's way out, through the message
// loop of the running game.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/app.h"
#include "app/static_objects.h"
#include "game/actor_list.h"
#include "game/game.h"
#include "input/input_devices.h"
#include "platform/inspect.h"
#include "support/game_run.h"

using namespace kalvenor_test;

namespace {

struct Key {
    uint32_t vk;
    uint8_t dik;
};

bool IntroStopped() {
    for (const auto& event : platform::inspect::SoundEvents())
        if (event.kind == platform::inspect::SoundEvent::Stop && event.wasPlaying) return true;
    return false;
}

TEST(AppKeys, FThreeAndFElevenLeaveTheIntroAlone) {
    for (Key key : {Key{VK_F3, DIK_F3}, Key{VK_F11, DIK_F11}}) {
        SCOPED_TRACE(key.vk);
        GameRun run;
        int32_t flagAfterPress = -1;
        int32_t stateAfterPress = -1;
        run.At(2, [key] { PressKey(key.vk, key.dik); });
        run.At(3, [&] {
            flagAfterPress = anyKeyDown;
            stateAfterPress = gGame.state;
        });
        run.At(4, [key] { ReleaseKey(key.vk, key.dik); });
        int32_t stateAtEnd = -1;
        run.At(10, [&] { stateAtEnd = gGame.state; });
        run.Run(10);
        EXPECT_EQ(flagAfterPress, 0);
        EXPECT_EQ(stateAfterPress, Intro);
        EXPECT_EQ(stateAtEnd, Intro);
    }
}

TEST(AppKeys, AnyOtherKeyStartsTheGameFromTheIntro) {
    const Key keys[] = {{'A', DIK_A}, {'5', DIK_5}, {VK_SPACE, DIK_SPACE}, {VK_RETURN, DIK_RETURN},
                        {VK_F2, DIK_F2}, {VK_LEFT, 0}};
    for (Key key : keys) {
        SCOPED_TRACE(key.vk);
        GameRun run;
        run.At(2, [key] { PressKey(key.vk, key.dik); });
        int32_t state = -1;
        int32_t latch = -1;
        int32_t rounds = -1;
        run.At(3, [&] {
            state = gGame.state;
            latch = gGame.buttonLatch;
            rounds = gGame.roundsLeft;
        });
        run.Run(4);
        EXPECT_EQ(state, Playing);
        EXPECT_EQ(latch, 1);
        EXPECT_EQ(rounds, kRoundsPerReload);
        EXPECT_TRUE(IntroStopped());
    }
}

TEST(AppKeys, TheLeftButtonLeavesTheIntroAndTheRightDoesNot) {
    GameRun run;
    int32_t afterRight = -1;
    int32_t afterLeft = -1;
    run.At(2, [] { Click(1); });
    run.At(4, [&] { afterRight = gGame.state; });
    run.At(5, [] { Click(0); });
    run.At(6, [&] { afterLeft = gGame.state; });
    run.Run(8);
    EXPECT_EQ(afterRight, Intro);
    EXPECT_EQ(afterLeft, Playing);
}

TEST(AppKeys, AnyKeyDownStaysThroughRepeatsUntilAnyRelease) {
    GameRun run;
    std::vector<int32_t> seen;
    auto look = [&] { seen.push_back(anyKeyDown); };
    run.At(2, [] { PressKey('A', DIK_A); });
    run.At(3, look);
    run.At(3, [] { PressKey('A', DIK_A, true); });
    run.At(4, look);
    run.At(4, [] { PressKey('B', DIK_B); });
    run.At(5, look);
    // Releasing a different key than the one held clears it too.
    run.At(5, [] { ReleaseKey('B', DIK_B); });
    run.At(6, look);
    run.At(6, [] { PressKey(VK_F3, DIK_F3); });
    run.At(7, look);
    run.Run(8);
    EXPECT_EQ(seen, (std::vector<int32_t>{1, 1, 1, 0, 0}));
}

TEST(AppKeys, FOneStartsANewGameFromEveryState) {
    for (int32_t from : {Intro, Playing, GameOver}) {
        SCOPED_TRACE(from);
        GameRun run;
        run.At(2, [from] {
            gGame.state = from;
            gGame.roundsLeft = 2;
            gGame.score = 55;
            gGame.playFrames = 100;
            gGame.shotAnim = 3;
        });
        run.At(3, [] { PressKey(VK_F1, DIK_F1); });
        run.At(4, [] { ReleaseKey(VK_F1, DIK_F1); });
        Game after;
        int32_t flag = -1;
        run.At(4, [&] {
            after = gGame;
            flag = anyKeyDown;
        });
        run.Run(6);
        EXPECT_EQ(after.state, Playing);
        EXPECT_EQ(after.roundsLeft, kRoundsPerReload);
        EXPECT_EQ(after.score, 0);
        // One playing frame has run since.
        EXPECT_EQ(after.playFrames, 1);
        EXPECT_EQ(after.buttonLatch, 0);
        EXPECT_EQ(flag, 0);
        // F1 on the intro leaves the intro music playing.
        if (from == Intro) {
            EXPECT_FALSE(IntroStopped());
        }
    }
}

TEST(AppKeys, FOneDuringPlayClearsTheFigures) {
    GameRun run;
    run.At(2, [] { Click(0); });
    int32_t before = 0;
    int32_t after = -1;
    // Spawns come every 20 frames; after 400 some figure is alive.
    run.At(400, [&] {
        before = gActors.count;
        PressKey(VK_F1, DIK_F1);
    });
    run.At(401, [&] { after = gActors.count; });
    run.Run(402);
    EXPECT_GT(before, 0);
    EXPECT_LE(after, 1);
}

TEST(AppKeys, EscapeClosesFromEveryState) {
    for (int32_t from : {Intro, Playing, GameOver}) {
        SCOPED_TRACE(from);
        GameRun run;
        run.At(2, [from] { gGame.state = from; });
        EXPECT_EQ(run.Run(4), 0);
        EXPECT_EQ(run.Presented(), 4u);
    }
}

TEST(AppKeys, AltFFourEndsTheGameLikeEscape) {
    GameRun run;
    run.At(2, [] { Click(0); });
    run.At(10, [] {
        PressKey(VK_MENU, DIK_LMENU);
        PressKey(VK_F4, DIK_F4);
    });
    EXPECT_EQ(run.Run(200), 0);
    EXPECT_EQ(run.Presented(), 10u);
}

}  // namespace
