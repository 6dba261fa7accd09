// The SDL host's controller playing the game: SDL's virtual controller,
// read on every pump of the message loop, as the desktop host reads it.
#include <SDL.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "app/static_objects.h"
#include "game/game.h"
#include "input/input_devices.h"
#include "platform/headless/headless.h"
#include "platform/sdl/gamepad.h"
#include "platform/sdl/menu.h"
#include "support/game_run.h"
#include "support/virtual_pad.h"

using namespace kalvenor_test;

namespace {

constexpr uint32_t kNever = 5000;  // frames: a run that should end sooner

// Every look at the message queue pumps SDL and the controller, on the
// game's own clock, as the desktop host's event pump does: the button
// events SDL queued first, then the controller's state.
void Pumping() {
    headless::OnPump([] {
        SDL_PumpEvents();
        SDL_Event e;
        while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_CONTROLLERBUTTONDOWN, SDL_CONTROLLERBUTTONUP) > 0)
            sdlhost::PadButtonEvent(e.cbutton, headless::Tick());
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        sdlhost::PumpGamepad(headless::Tick(), true);
    });
}

// Down and up again before the game's next pump: SDL queues both events.
void Brush(VirtualPad& pad, SDL_GameControllerButton button) {
    pad.Button(button, true);
    SDL_PumpEvents();
    pad.Button(button, false);
}

class SdlGamepad : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError(); }
    void TearDown() override {
        first.Unplug();
        second.Unplug();
        sdlhost::StopGamepad();
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
    VirtualPad first, second;
};

// Holds the stick fully right from the left edge and measures, on the
// game's clock, how long the crosshair takes to reach the right edge.
// `lateEvery` frames one comes `lateMs` late.
uint32_t CrossingMs(VirtualPad& pad, uint32_t lateEvery, uint32_t lateMs) {
    GameRun run;
    Pumping();
    uint32_t startMs = 0, endMs = 0;
    run.At(2, [&] { pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, kAxisMin); });
    run.EveryFrame([&](uint32_t presented, const headless::Frame&) {
        if (presented > 2 && startMs == 0 && gInput.cursorX == 0) {
            pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, kAxisMax);
            startMs = headless::Tick();
        }
        if (startMs != 0 && endMs == 0 && gInput.cursorX == 750) endMs = headless::Tick();
        if (lateEvery && presented % lateEvery == 0) headless::SetTick(headless::Tick() + lateMs);
    });
    run.Run(400);
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    EXPECT_NE(endMs, 0u);
    return endMs - startMs;
}

TEST_F(SdlGamepad, FullDeflectionCrossesTheScreenInEightTenthsOfASecondEvenWhenFramesComeLate) {
    first.Plug();
    uint32_t steady = CrossingMs(first, 0, 0);
    uint32_t late = CrossingMs(first, 3, 40);
    std::printf("crossing the screen: %u ms at 100 frames a second, %u ms with every third frame 40 ms late\n",
                steady, late);
    EXPECT_NEAR(steady, 800, 100);
    EXPECT_NEAR(late, 800, 100);
}

TEST_F(SdlGamepad, AStickAtRestMovesNothingForTenSeconds) {
    first.Plug();
    GameRun run;
    Pumping();
    // A worn stick that never quite centres.
    run.At(2, [&] {
        first.Axis(SDL_CONTROLLER_AXIS_LEFTX, 3000);
        first.Axis(SDL_CONTROLLER_AXIS_RIGHTY, -2500);
    });
    int32_t x = -1, y = -1;
    bool moved = false;
    run.EveryFrame([&](uint32_t presented, const headless::Frame&) {
        if (presented == 3) {
            x = gInput.cursorX;
            y = gInput.cursorY;
        }
        if (presented > 3 && (gInput.cursorX != x || gInput.cursorY != y)) moved = true;
    });
    run.Run(1003);
    EXPECT_GE(headless::Tick(), 10000u);
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 240);
    EXPECT_FALSE(moved);
}

TEST_F(SdlGamepad, StartStartsAGameAndTheButtonsFireAndReload) {
    first.Plug();
    GameRun run;
    Pumping();
    int32_t state = -1, rounds[5] = {};
    int32_t nudged = -1;
    run.At(2, [&] { first.Button(SDL_CONTROLLER_BUTTON_START, true); });
    run.At(3, [&] { first.Button(SDL_CONTROLLER_BUTTON_START, false); });
    run.At(5, [&] { state = gGame.state; });
    run.At(6, [&] { first.Button(SDL_CONTROLLER_BUTTON_A, true); });
    run.At(7, [&] { first.Button(SDL_CONTROLLER_BUTTON_A, false); });
    run.At(9, [&] { rounds[0] = gGame.roundsLeft; });
    run.At(10, [&] { first.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, kAxisMax); });
    run.At(11, [&] { first.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, kAxisMin); });
    run.At(13, [&] { rounds[1] = gGame.roundsLeft; });
    run.At(14, [&] { first.Button(SDL_CONTROLLER_BUTTON_X, true); });
    run.At(15, [&] { first.Button(SDL_CONTROLLER_BUTTON_X, false); });
    run.At(17, [&] { rounds[2] = gGame.roundsLeft; });
    run.At(18, [&] { first.Button(SDL_CONTROLLER_BUTTON_A, true); });
    run.At(19, [&] { first.Button(SDL_CONTROLLER_BUTTON_A, false); });
    run.At(20, [&] { first.Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true); });
    run.At(21, [&] { first.Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, false); });
    run.At(23, [&] { rounds[3] = gGame.roundsLeft; });
    run.At(24, [&] {
        nudged = gInput.cursorX;
        first.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    });
    run.At(40, [&] {
        first.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
        nudged -= gInput.cursorX;
    });
    run.Run(42);
    EXPECT_EQ(state, Playing);
    EXPECT_EQ(rounds[0], 6);
    EXPECT_EQ(rounds[1], 5);
    EXPECT_EQ(rounds[2], 7);
    EXPECT_EQ(rounds[3], 7);
    EXPECT_EQ(nudged, 1);
}

TEST_F(SdlGamepad, ABrushedBackDoesNothingAndALongOneQuits) {
    first.Plug();
    GameRun run;
    Pumping();
    int32_t state = -1;
    run.At(2, [&] { first.Button(SDL_CONTROLLER_BUTTON_A, true); });
    run.At(3, [&] { first.Button(SDL_CONTROLLER_BUTTON_A, false); });
    run.At(5, [&] { first.Button(SDL_CONTROLLER_BUTTON_BACK, true); });
    run.At(55, [&] { first.Button(SDL_CONTROLLER_BUTTON_BACK, false); });
    run.At(60, [&] { first.Button(SDL_CONTROLLER_BUTTON_BACK, true); });
    run.At(110, [&] { first.Button(SDL_CONTROLLER_BUTTON_BACK, false); });
    run.At(150, [&] {
        state = gGame.state;
        first.Button(SDL_CONTROLLER_BUTTON_BACK, true);
    });
    run.Run(kNever);
    EXPECT_EQ(state, Playing);
    EXPECT_GT(run.Presented(), 240u);
    EXPECT_LT(run.Presented(), 270u);
}

TEST_F(SdlGamepad, PressesShorterThanAFrameStartFireAndReload) {
    first.Plug();
    GameRun run;
    Pumping();
    int32_t state = -1, fired = -1, reloaded = -1;
    run.At(2, [&] { Brush(first, SDL_CONTROLLER_BUTTON_START); });
    run.At(5, [&] {
        state = gGame.state;
        Brush(first, SDL_CONTROLLER_BUTTON_A);
    });
    run.At(8, [&] {
        fired = gGame.roundsLeft;
        Brush(first, SDL_CONTROLLER_BUTTON_X);
    });
    run.At(11, [&] { reloaded = gGame.roundsLeft; });
    run.Run(12);
    EXPECT_EQ(state, Playing);
    EXPECT_EQ(fired, 6);
    EXPECT_EQ(reloaded, 7);
}

TEST_F(SdlGamepad, APressedAndLetGoLeavesTheMousesLeftButtonHeld) {
    first.Plug();
    GameRun run;
    Pumping();
    uint8_t whileA = 0, afterA = 0, afterMouse = 0xFF;
    run.At(2, [] { PressButton(0); });
    run.At(4, [&] { first.Button(SDL_CONTROLLER_BUTTON_A, true); });
    run.At(6, [&] {
        whileA = gInput.leftButton;
        first.Button(SDL_CONTROLLER_BUTTON_A, false);
    });
    run.At(8, [&] {
        afterA = gInput.leftButton;
        ReleaseButton(0);
    });
    run.At(10, [&] { afterMouse = gInput.leftButton; });
    run.Run(11);
    EXPECT_NE(whileA, 0);
    EXPECT_NE(afterA, 0);
    EXPECT_EQ(afterMouse, 0);
}

// A stall (a long frame, a window dragged) with Back brushed as it ends:
// the brush is timed by its own events, not by the time since the last look.
TEST_F(SdlGamepad, BackBrushedAsA1500MsStallEndsDoesNotQuit) {
    first.Plug();
    GameRun run;
    Pumping();
    run.At(5, [&] {
        headless::SetTick(headless::Tick() + 1450);
        first.Button(SDL_CONTROLLER_BUTTON_BACK, true);
        headless::SetTick(headless::Tick() + 50);
    });
    run.At(8, [&] { first.Button(SDL_CONTROLLER_BUTTON_BACK, false); });
    run.Run(60);
    EXPECT_EQ(run.Presented(), 60u);
}

TEST_F(SdlGamepad, UnpluggedMidPressReleasesAndTheSecondControllerWaitsItsTurn) {
    first.Plug();
    second.Plug();
    GameRun run;
    Pumping();
    uint8_t heldByFirst = 0, secondWhileFirst = 0xFF, afterUnplug = 0xFF, secondAfter = 0;
    run.At(2, [&] {
        first.Button(SDL_CONTROLLER_BUTTON_A, true);
        second.Button(SDL_CONTROLLER_BUTTON_X, true);
    });
    run.At(4, [&] {
        heldByFirst = gInput.leftButton;
        secondWhileFirst = gInput.rightButton;
    });
    run.At(5, [&] { first.Unplug(); });
    run.At(7, [&] {
        afterUnplug = gInput.leftButton;
        secondAfter = gInput.rightButton;
    });
    run.Run(10);
    EXPECT_NE(heldByFirst, 0);
    EXPECT_EQ(secondWhileFirst, 0);
    EXPECT_EQ(afterUnplug, 0);
    EXPECT_NE(secondAfter, 0);
}

// A joystick SDL has no controller mapping for is not half-used: its first
// button held does not fire.
TEST_F(SdlGamepad, AJoystickWithoutAMappingIsIgnored) {
    int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 4, 0);
    ASSERT_GE(index, 0) << SDL_GetError();
    SDL_Joystick* joystick = SDL_JoystickOpen(index);
    GameRun run;
    Pumping();
    uint8_t left = 0xFF;
    run.At(2, [&] { SDL_JoystickSetVirtualButton(joystick, 0, 1); });
    run.At(4, [&] { left = gInput.leftButton; });
    run.Run(6);
    SDL_JoystickClose(joystick);
    SDL_JoystickDetachVirtual(index);
    EXPECT_EQ(left, 0);
}

TEST_F(SdlGamepad, ABriefBackAsksForTheMenuAndAHeldOneDoesNot) {
    first.Plug();
    sdlhost::PumpGamepad(0, true);
    sdlhost::TakeMenuRequest();  // what earlier tests' brushes of Back asked for
    SDL_ControllerButtonEvent back{};
    back.which = SDL_JoystickInstanceID(first.joystick);
    back.button = SDL_CONTROLLER_BUTTON_BACK;
    // Timed by the events' own stamps: a stall between them adds nothing.
    struct Case {
        int64_t downMs, upMs;
        bool menu;
    };
    for (Case c : {Case{1000, 1120, true}, Case{2000, 2999, true}, Case{4000, 5000, false}, Case{6000, 7500, false}}) {
        back.type = SDL_CONTROLLERBUTTONDOWN;
        sdlhost::PadButtonEvent(back, c.downMs);
        EXPECT_FALSE(sdlhost::TakeMenuRequest());
        back.type = SDL_CONTROLLERBUTTONUP;
        sdlhost::PadButtonEvent(back, c.upMs);
        EXPECT_EQ(sdlhost::TakeMenuRequest(), c.menu) << c.upMs - c.downMs << " ms";
    }
}

}  // namespace
