// Closing and focus changes coming from the host while the game runs.
#include <gtest/gtest.h>

#include "app/app.h"
#include "app/static_objects.h"
#include "game/game.h"
#include "input/input_devices.h"
#include "platform/host_events.h"
#include "platform/inspect.h"
#include "support/game_run.h"

using namespace kalvenor_test;

namespace {

TEST(AppFocus, AHostCloseEndsTheRunLikeEscape) {
    GameRun run;
    run.At(3, [] { platform::HostClose(); });
    EXPECT_EQ(run.Run(0), 0);
    EXPECT_EQ(run.Presented(), 3u);
    EXPECT_FALSE(headless::WindowShown());
    EXPECT_EQ(platform::inspect::LiveSurfaces(), 0);
}

TEST(AppFocus, TheGameCarriesOnAfterLeavingAndRegainingTheForeground) {
    GameRun run;
    run.At(2, [] { Click(0); });
    // In the background nothing is presented, so the way back comes from
    // the host's event pump, as it would from a window manager.
    constexpr int kPumpsInBackground = 200;
    int pumps = 0;
    bool background = false;
    run.At(10, [&] {
        platform::HostForeground(false);
        headless::OnPump([&] {
            background = background || !platform::IsForeground();
            if (++pumps == kPumpsInBackground) platform::HostForeground(true);
        });
    });
    run.At(11, [] { MoveMouseTo(100, 100); });
    int32_t cursorX = -1;
    int32_t cursorY = -1;
    int32_t state = -1;
    run.At(13, [&] {
        cursorX = gInput.cursorX;
        cursorY = gInput.cursorY;
        state = gGame.state;
    });
    EXPECT_EQ(run.Run(40), 0);
    EXPECT_TRUE(background);
    EXPECT_GE(pumps, kPumpsInBackground);
    EXPECT_TRUE(platform::IsForeground());
    EXPECT_EQ(run.Presented(), 40u);
    EXPECT_EQ(state, Playing);
    // Input works again once the devices are acquired anew.
    EXPECT_EQ(cursorX, 100);
    EXPECT_EQ(cursorY, 100);
}

}  // namespace
