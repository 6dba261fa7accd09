// The controller's shared meaning: sticks to crosshair motion by elapsed
// time, buttons to mouse buttons and keys.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>

#include "platform/controls/pad_buttons.h"
#include "platform/controls/stick_aim.h"

namespace {

using platform::AimMotion;
using platform::PadReading;
using platform::StickAim;

PadReading Stick(float x, float y) {
    PadReading pad;
    pad.leftX = x;
    pad.leftY = y;
    return pad;
}

// Total motion of `pad` held for `totalMs`, read every `stepMs`.
AimMotion Hold(const PadReading& pad, uint32_t totalMs, uint32_t stepMs) {
    StickAim aim;
    AimMotion sum;
    for (uint32_t t = 0; t < totalMs; t += stepMs) {
        AimMotion m = platform::AimSticks(&aim, pad, stepMs);
        sum.dx += m.dx;
        sum.dy += m.dy;
    }
    return sum;
}

TEST(StickAim, AStickAtRestOrInsideTheDeadZoneMovesNothingForTenSeconds) {
    for (PadReading pad : {Stick(0, 0), Stick(0.14f, 0), Stick(0, -0.14f), Stick(0.1f, 0.1f), Stick(-0.09f, 0.11f)}) {
        AimMotion m = Hold(pad, 10000, 10);
        EXPECT_EQ(m.dx, 0);
        EXPECT_EQ(m.dy, 0);
    }
    EXPECT_GT(Hold(Stick(0.17f, 0), 10000, 10).dx, 0);
}

TEST(StickAim, FullDeflectionCrossesTheScreenInEightTenthsOfASecondAtAnyFrameRate) {
    EXPECT_NEAR(Hold(Stick(1, 0), 800, 10).dx, 800, 1);
    EXPECT_NEAR(Hold(Stick(-1, 0), 800, 16).dx, -800, 1);
    EXPECT_NEAR(Hold(Stick(0, 1), 800, 1).dy, 800, 1);
    // Late frames: the same time in uneven steps moves the same distance.
    StickAim aim;
    int32_t x = 0;
    uint32_t elapsed = 0;
    for (uint32_t step : {10u, 10u, 47u, 10u, 120u, 33u, 10u, 90u, 200u, 10u, 60u, 200u}) {
        x += platform::AimSticks(&aim, Stick(1, 0), step).dx;
        elapsed += step;
    }
    EXPECT_EQ(elapsed, 800u);
    EXPECT_NEAR(x, 800, 1);
}

TEST(StickAim, TheCurveIsFineNearTheCentreAndFullAtTheEdge) {
    int32_t half = Hold(Stick(0.5f, 0), 1000, 10).dx;
    int32_t most = Hold(Stick(0.9f, 0), 1000, 10).dx;
    EXPECT_GT(half, 0);
    EXPECT_LT(half, 250);
    EXPECT_GT(most, half);
    EXPECT_LT(most, 1000);
    // The edge of a diagonal is full speed too, not more.
    AimMotion diagonal = Hold(Stick(0.7071f, 0.7071f), 1000, 10);
    EXPECT_NEAR(std::hypot(diagonal.dx, diagonal.dy), 1000, 3);
}

TEST(StickAim, SlowMotionBelowAPixelPerFrameIsCarriedNotLost) {
    // Just past the dead zone: well under a pixel a frame at 100 frames a
    // second, and the same distance when read every millisecond.
    int32_t perFrame = Hold(Stick(0.25f, 0), 2000, 10).dx;
    int32_t perMs = Hold(Stick(0.25f, 0), 2000, 1).dx;
    EXPECT_GT(perFrame, 20);
    EXPECT_NEAR(perFrame, perMs, 1);
    EXPECT_NEAR(Hold(Stick(-0.25f, 0), 2000, 10).dx, -perFrame, 1);
}

TEST(StickAim, TheLeftTriggerPastHalfAimsAtAThirdOfTheSpeed) {
    PadReading pad = Stick(1, 0);
    pad.leftTrigger = 0.49f;
    EXPECT_NEAR(Hold(pad, 900, 10).dx, 900, 1);
    pad.leftTrigger = 0.51f;
    EXPECT_NEAR(Hold(pad, 900, 10).dx, 300, 1);
}

TEST(StickAim, BothSticksAimButTogetherGoNoFasterThanOne) {
    PadReading pad;
    pad.rightY = -1;
    EXPECT_NEAR(Hold(pad, 500, 10).dy, -500, 1);
    pad.leftY = -1;
    EXPECT_NEAR(Hold(pad, 500, 10).dy, -500, 1);
}

TEST(StickAim, OutOfRangeAxesAreClampedAndAStallDoesNotThrowTheCrosshair) {
    EXPECT_NEAR(Hold(Stick(40.0f, 0), 500, 10).dx, 500, 1);
    EXPECT_NEAR(Hold(Stick(0, -1e30f), 500, 10).dy, -500, 1);
    AimMotion nan = Hold(Stick(std::numeric_limits<float>::quiet_NaN(), 0), 500, 10);
    EXPECT_EQ(nan.dx, 0);
    StickAim aim;
    EXPECT_EQ(platform::AimSticks(&aim, Stick(1, 0), 60000).dx, 250);
}

TEST(PadButtons, FireReloadAndNewGameFollowTheirButtons) {
    using platform::PadAction;
    struct Case {
        platform::PadButton button;
        float rightTrigger;
        PadAction action;
    };
    for (Case c : {Case{platform::kPadA, 0, platform::kActFire}, Case{platform::kPadButtons, 0.51f, platform::kActFire},
                   Case{platform::kPadX, 0, platform::kActReload},
                   Case{platform::kPadRightShoulder, 0, platform::kActReload},
                   Case{platform::kPadStart, 0, platform::kActNewGame}}) {
        platform::PadButtonState state;
        PadReading pad;
        pad.rightTrigger = c.rightTrigger;
        if (c.button != platform::kPadButtons) pad.buttons[c.button] = true;
        platform::PadIntent intent = platform::ReadPadButtons(&state, pad);
        for (int a = 0; a < platform::kPadActions; ++a) EXPECT_EQ(intent.held[a], a == c.action) << c.button << a;
    }
    platform::PadButtonState state;
    PadReading pad;
    pad.rightTrigger = 0.49f;
    pad.leftTrigger = 1;
    EXPECT_FALSE(platform::ReadPadButtons(&state, pad).held[platform::kActFire]);
}

// A press the host latched between two readings counts though it is let go:
// a fire, a reload, a nudge.
TEST(PadButtons, APressLetGoBeforeTheReadingStillCountsOnce) {
    platform::PadButtonState state;
    PadReading pad;
    pad.pressed[platform::kPadA] = pad.pressed[platform::kPadX] = pad.pressed[platform::kPadRight] = true;
    platform::PadIntent intent = platform::ReadPadButtons(&state, pad);
    EXPECT_TRUE(intent.pressed[platform::kActFire]);
    EXPECT_FALSE(intent.held[platform::kActFire]);
    EXPECT_TRUE(intent.pressed[platform::kActReload]);
    EXPECT_EQ(intent.nudgeX, 1);
    intent = platform::ReadPadButtons(&state, PadReading{});
    EXPECT_FALSE(intent.pressed[platform::kActFire]);
    EXPECT_EQ(intent.nudgeX, 0);
}

TEST(PadButtons, BackQuitsOnlyOnceHeldASecondByItsOwnTimes) {
    platform::PadButtonState state;
    PadReading back;
    back.buttons[platform::kPadBack] = true;
    for (uint32_t heldMs : {0u, 10u, 999u}) {
        back.quitHeldMs = heldMs;
        EXPECT_FALSE(platform::ReadPadButtons(&state, back).held[platform::kActQuit]) << heldMs;
    }
    back.quitHeldMs = 1000;
    EXPECT_TRUE(platform::ReadPadButtons(&state, back).held[platform::kActQuit]);
    EXPECT_FALSE(platform::ReadPadButtons(&state, PadReading{}).held[platform::kActQuit]);
}

TEST(PadButtons, EachDpadPressNudgesOnePixelAndHoldingDoesNotRepeat) {
    platform::PadButtonState state;
    PadReading pad;
    pad.buttons[platform::kPadRight] = true;
    EXPECT_EQ(platform::ReadPadButtons(&state, pad).nudgeX, 1);
    for (int t = 0; t < 100; ++t) EXPECT_EQ(platform::ReadPadButtons(&state, pad).nudgeX, 0);
    pad.buttons[platform::kPadRight] = false;
    pad.buttons[platform::kPadLeft] = true;
    pad.buttons[platform::kPadUp] = true;
    platform::PadIntent intent = platform::ReadPadButtons(&state, pad);
    EXPECT_EQ(intent.nudgeX, -1);
    EXPECT_EQ(intent.nudgeY, -1);
    pad = {};
    platform::ReadPadButtons(&state, pad);
    pad.buttons[platform::kPadDown] = true;
    EXPECT_EQ(platform::ReadPadButtons(&state, pad).nudgeY, 1);
}

}  // namespace
