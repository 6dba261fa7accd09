// InputDevices over the DirectInput stand-in: the cursor and its clamps, the
// buttons, the key state, recovering after the window lost the front, and
// taps shorter than a frame in the running game.
#include <gtest/gtest.h>

#include <vector>

#include "app/static_objects.h"
#include "game/game.h"

#include "input/input_devices.h"
#include "platform/faults.h"
#include "platform/headless/headless.h"
#include "platform/host_events.h"
#include "platform/inspect.h"
#include "support/game_run.h"

namespace {

class Input : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
        ASSERT_EQ(input.Create(nullptr), 1);
    }
    void TearDown() override {
        input.Release();
        EXPECT_EQ(platform::inspect::LiveInputDevices(), 0);
        headless::Reset();
    }
    void MoveAndPoll(int32_t dx, int32_t dy) {
        platform::HostMouseMotion(dx, dy);
        input.Poll();
    }

    InputDevices input;
};

TEST(InputDevicesConstruction, StartsAtTheCursorHomeWithNothingHeld) {
    InputDevices input;
    EXPECT_EQ(input.cursorX, 320);
    EXPECT_EQ(input.cursorY, 240);
    EXPECT_EQ(input.leftButton, 0);
    EXPECT_EQ(input.rightButton, 0);
    EXPECT_EQ(input.directInput, nullptr);
    for (uint8_t key : input.keyState) EXPECT_EQ(key, 0);
}

TEST_F(Input, TheCursorIsClampedAfterTheWholeMotionIsAdded) {
    MoveAndPoll(-325, 0);
    EXPECT_EQ(input.cursorX, 0);
    MoveAndPoll(760, 0);
    EXPECT_EQ(input.cursorX, 750);
    MoveAndPoll(0, -245);
    EXPECT_EQ(input.cursorY, 0);
    MoveAndPoll(0, 551);
    EXPECT_EQ(input.cursorY, 550);
    // Back and forth within one frame: only the sum counts.
    platform::HostMouseMotion(100, 0);
    MoveAndPoll(-120, 0);
    EXPECT_EQ(input.cursorX, 730);
    // No motion, however large, wraps around.
    MoveAndPoll(INT32_MAX, INT32_MIN);
    EXPECT_EQ(input.cursorX, 750);
    EXPECT_EQ(input.cursorY, 0);
}

TEST_F(Input, AMotionOf200MovesTheCursor200Pixels) {
    MoveAndPoll(200, 200);
    EXPECT_EQ(input.cursorX, 520);
    EXPECT_EQ(input.cursorY, 440);
    MoveAndPoll(200, 200);
    EXPECT_EQ(input.cursorX, 720);
    EXPECT_EQ(input.cursorY, 550);
}

TEST_F(Input, ButtonsAndKeysFollowTheDevices) {
    platform::HostMouseButton(0, true);
    platform::HostKey(0, DIK_E, true, false);
    platform::HostKey(0, DIK_P, true, false);
    input.Poll();
    EXPECT_EQ(input.leftButton, 0x80);
    EXPECT_EQ(input.rightButton, 0);
    EXPECT_NE(input.keyState[DIK_E], 0);
    EXPECT_NE(input.keyState[DIK_P], 0);
    platform::HostMouseButton(0, false);
    platform::HostMouseButton(1, true);
    platform::HostKey(0, DIK_P, false, false);
    input.Poll();
    EXPECT_EQ(input.leftButton, 0);
    EXPECT_EQ(input.rightButton, 0x80);
    EXPECT_EQ(input.keyState[DIK_P], 0);
}

TEST(InputDevicesKeys, KeysReadAsUpBeforeTheFirstRead) {
    headless::Reset();
    platform::HostKey(0, DIK_E, true, false);
    InputDevices input;
    ASSERT_EQ(input.Create(nullptr), 1);
    EXPECT_EQ(input.keyState[DIK_E], 0);
    input.Poll();
    EXPECT_NE(input.keyState[DIK_E], 0);
    input.Release();
    headless::Reset();
}

TEST_F(Input, AFailedMouseReadIsNoMotionAndBothButtonsUp) {
    platform::HostMouseButton(0, true);
    platform::HostMouseButton(1, true);
    input.Poll();
    platform::HostKey(0, DIK_E, true, false);
    input.Poll();
    ASSERT_NE(input.keyState[DIK_E], 0);

    platform::faults::UnacquireInput(1);
    platform::HostKey(0, DIK_E, false, false);
    MoveAndPoll(30, 30);
    EXPECT_EQ(input.cursorX, 320);
    EXPECT_EQ(input.leftButton, 0);
    EXPECT_EQ(input.rightButton, 0);
    // A failed keyboard read keeps what the last good one left.
    EXPECT_NE(input.keyState[DIK_E], 0);
}

TEST_F(Input, AfterLeavingAndRegainingTheFrontInputWorksAgainByItself) {
    platform::HostForeground(false);
    for (int frame = 0; frame < 3; ++frame) MoveAndPoll(10, 0);
    EXPECT_EQ(input.cursorX, 320);
    platform::HostForeground(true);
    // The first poll finds the devices unacquired and acquires them again.
    MoveAndPoll(10, 0);
    platform::HostMouseButton(0, true);
    MoveAndPoll(25, 5);
    EXPECT_EQ(input.cursorX, 345);
    EXPECT_EQ(input.cursorY, 245);
    EXPECT_EQ(input.leftButton, 0x80);
}

TEST(InputDevicesCreate, AFailedCreateIsReportedAndLeavesNoDevices) {
    headless::Reset();
    platform::faults::FailNext("DirectInputCreateA");
    InputDevices input;
    EXPECT_EQ(input.Create(nullptr), 0);
    EXPECT_EQ(input.directInput, nullptr);
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].text, "Execution FAILED on DirectInputCreate caused an error.");
    EXPECT_EQ(headless::MessageBoxes()[0].caption, "Kalvenor");
    input.Poll();
    EXPECT_EQ(input.cursorX, 320);
    headless::Reset();
}

// A touchpad tap: press and release in the same instant, between two frames.
void Tap() {
    kalvenor_test::PressButton(0);
    kalvenor_test::ReleaseButton(0);
}

TEST(Taps, EachTapBetweenFramesFiresOnceAndADoubleTapOnce) {
    kalvenor_test::GameRun run;
    std::vector<int32_t> shots;  // shots fired as each frame from 20 on was shown
    run.At(2, Tap);
    run.At(20, Tap);
    run.At(40, [] {
        Tap();
        Tap();
    });
    // The next frame reads the release; the tap after it fires in the frame after that.
    run.At(41, Tap);
    run.EveryFrame([&](uint32_t presented, const headless::Frame&) {
        if (presented >= 20) shots.push_back(gGame.shotsFired);
    });
    EXPECT_EQ(run.Run(50), 0);
    ASSERT_GE(shots.size(), 31u);
    EXPECT_EQ(shots[0], 0);
    EXPECT_EQ(shots[1], 1);
    EXPECT_EQ(shots[20], 1);
    EXPECT_EQ(shots[21], 2);
    EXPECT_EQ(shots[22], 2);
    EXPECT_EQ(shots[23], 3);
    EXPECT_EQ(shots[30], 3);
}

}  // namespace
