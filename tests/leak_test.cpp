// A short game that touches every subsystem and recovers from each kind of
// loss once; run under valgrind as well, where it must leave nothing behind
// at exit.
#include <gtest/gtest.h>
#include <windows.h>
#include <dinput.h>

#include "app/app.h"
#include "app/static_objects.h"
#include "game/game.h"
#include "platform/faults.h"
#include "platform/host_events.h"
#include "platform/inspect.h"
#include "support/game_run.h"

using namespace kalvenor_test;

namespace {

constexpr uint32_t kPlayFrom = 5;
constexpr uint32_t kEscapeAt = 600;

TEST(Leak, ShortGameWithLossesReleasesEverything) {
    GameRun run;
    run.At(kPlayFrom, [] { Click(0); });
    for (uint32_t f = kPlayFrom + 10; f < kEscapeAt - 20; f += 9) {
        run.At(f, [f] {
            MoveMouseTo(static_cast<int32_t>(f * 7 % 700), static_cast<int32_t>(f * 13 % 500));
            Click(f % 5 == 0 ? 1 : 0);
        });
    }
    run.At(60, [] { platform::faults::LoseAllSurfaces(); });
    run.At(90, [] { platform::faults::LoseSoundBuffers(); });
    run.At(120, [] { platform::faults::UnacquireInput(2); });
    run.At(150, [] {
        PressKey('E', DIK_E);
        PressKey('P', DIK_P);
    });
    run.At(160, [] {
        ReleaseKey('E', DIK_E);
        ReleaseKey('P', DIK_P);
    });
    run.At(170, [] { TapKey(VK_F1, DIK_F1); });
    int32_t stateAfterF1 = -1;
    run.At(172, [&] { stateAfterF1 = gGame.state; });
    EXPECT_EQ(run.Run(kEscapeAt), 0);

    EXPECT_EQ(stateAfterF1, Playing);
    EXPECT_TRUE(headless::MessageBoxes().empty());
    EXPECT_EQ(platform::inspect::LiveSurfaces(), 0);
    EXPECT_EQ(platform::inspect::LiveBitmaps(), 0);
}

}  // namespace
