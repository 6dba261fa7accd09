// Start-up and shut-down of the whole program on the headless host.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "app/app.h"
#include "app/static_objects.h"
#include "game/game.h"
#include "platform/faults.h"
#include "platform/inspect.h"
#include "support/game_run.h"

using namespace kalvenor_test;

namespace {

TEST(AppStartup, EscapeEndsTheRunWithZeroAndReleasesTheDisplay) {
    GameRun run;
    EXPECT_EQ(run.Run(5), 0);
    EXPECT_EQ(run.Presented(), 5u);
    EXPECT_EQ(frameCount, 5u);
    EXPECT_TRUE(headless::MessageBoxes().empty());
    EXPECT_FALSE(headless::WindowShown());
    EXPECT_EQ(platform::inspect::LiveSurfaces(), 0);
}

TEST(AppStartup, ThePointerIsHiddenOverTheWindow) {
    GameRun run;
    bool hidden = false;
    bool shown = false;
    run.At(1, [&] {
        hidden = !headless::PointerVisible();
        shown = headless::WindowShown();
    });
    run.Run(2);
    EXPECT_TRUE(hidden);
    EXPECT_TRUE(shown);
}

TEST(AppStartup, WindowFailuresEndSilently) {
    for (const char* call : {"RegisterClassExA", "CreateWindowExA"}) {
        SCOPED_TRACE(call);
        GameRun run;
        platform::faults::FailNext(call);
        EXPECT_EQ(run.Run(0), 0);
        EXPECT_EQ(run.Presented(), 0u);
        EXPECT_TRUE(headless::MessageBoxes().empty());
    }
}

TEST(AppStartup, ADisplayFailureIsReportedAndEndsTheProgram) {
    GameRun run;
    platform::faults::FailNext("DirectDrawCreate");
    EXPECT_EQ(run.Run(0), 0);
    EXPECT_EQ(run.Presented(), 0u);
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].text, "Execution FAILED on DirectDrawCreateEx");
    EXPECT_EQ(headless::MessageBoxes()[0].caption, "Kalvenor");
    EXPECT_FALSE(headless::WindowShown());
    EXPECT_EQ(platform::inspect::LiveSurfaces(), 0);
}

TEST(AppStartup, AnInputFailureIsReportedWithItsCode) {
    GameRun run;
    platform::faults::FailNext("DirectInputCreateA");
    EXPECT_EQ(run.Run(0), 0);
    EXPECT_EQ(run.Presented(), 0u);
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].text,
              "Execution FAILED on DirectInputCreate caused an error.");
    EXPECT_FALSE(headless::WindowShown());
    EXPECT_EQ(platform::inspect::LiveSurfaces(), 0);
}

TEST(AppStartup, WithoutSoundTheGameStillRuns) {
    GameRun run;
    headless::SetAudioDevice(false);
    EXPECT_EQ(run.Run(30), 0);
    EXPECT_EQ(run.Presented(), 30u);
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].text, "Failed to initialise the sound");
    EXPECT_EQ(headless::MessageBoxes()[0].caption, "Kalvenor");
    EXPECT_EQ(platform::inspect::LiveSoundBuffers(), 0);
}

TEST(AppStartup, TheIntroSoundLoopsFromTheStart) {
    GameRun run;
    bool looping = false;
    run.At(1, [&] {
        for (const auto& event : platform::inspect::SoundEvents())
            if (event.kind == platform::inspect::SoundEvent::Play && event.looping) looping = true;
    });
    run.Run(2);
    EXPECT_TRUE(looping);
}

// Runs after every static object of the program is destroyed: this file's
// initialisers run before those of the game's objects, which are linked
// after it, so this handler is registered first and called last.
bool reportAtExit = false;
void ReportWhatOutlivedExit() {
    if (!reportAtExit) return;
    std::fprintf(stderr, "after exit: %d sound buffers, %d input devices\n",
                 platform::inspect::LiveSoundBuffers(), platform::inspect::LiveInputDevices());
}
const int registered = std::atexit(ReportWhatOutlivedExit);

TEST(AppStartupDeathTest, TheExitActionsReleaseSoundAndInput) {
    ASSERT_EQ(registered, 0);
    EXPECT_EXIT(
        {
            reportAtExit = true;
            GameRun run;
            run.Run(3);
            // Still held when WinMain returns: only the exit actions free them.
            if (platform::inspect::LiveSoundBuffers() == 0) std::abort();
            if (platform::inspect::LiveInputDevices() == 0) std::abort();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "after exit: 0 sound buffers, 0 input devices");
}

}  // namespace
