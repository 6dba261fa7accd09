// The stored pictures as the player sees them: the whole game runs on the
// headless host, and its frames are compared with the same pictures composed
// here from the resources, by the rules the pictures were made for (black is
// see-through on the sprite and font sheets, glyph widths from the ink).
#include <gtest/gtest.h>
#include <windows.h>
#define DIRECTINPUT_VERSION 0x0300
#include <dinput.h>

#include "app/static_objects.h"
#include "input/input_devices.h"
#include "support/game_run.h"
#include "support/golden_screen.h"

namespace {

using golden::Canvas;
using golden::Font;
using golden::Picture;
using golden::Rect;
using kalvenor_test::GameRun;

int Mismatches(const headless::Frame& frame, const Canvas& expected, int left, int top, int right, int bottom) {
    return golden::Mismatches(frame, expected, Rect{left, top, right, bottom}, nullptr);
}

TEST(ResourceScreens, IntroShowsTheTitlePictureOutsideTheRipplingBand) {
    Picture intro = golden::LoadPicture("INTROPIC", false);
    ASSERT_EQ(intro.width, 800);
    headless::Frame shown;
    GameRun run;
    run.EveryFrame([&](uint32_t presented, const headless::Frame& frame) {
        if (presented == 5) shown = frame;
    });
    run.Run(8);
    ASSERT_EQ(shown.pixels.size(), static_cast<size_t>(golden::kWidth * golden::kHeight));
    ASSERT_FALSE(shown.is555);
    Canvas expected(false);
    expected.Draw(intro, Rect{0, 0, 800, 600}, 0, 0, false);
    EXPECT_EQ(Mismatches(shown, expected, 0, 0, 800, 380), 0);
    EXPECT_EQ(Mismatches(shown, expected, 0, 510, 800, 600), 0);
    // The band itself is redrawn moved, but from the same picture.
    EXPECT_EQ(Mismatches(shown, expected, 0, 380, 180, 510), 0);
}

TEST(ResourceScreens, PlayingHudAndCrosshairShowTheBackdropThroughTheirBlack) {
    Picture desert = golden::LoadPicture("DESERT", false), sprites = golden::LoadPicture("SPRITES", false);
    Font fonts = golden::LoadFont(false);
    ASSERT_EQ(desert.width, 800);
    ASSERT_EQ(sprites.width, 50);
    ASSERT_EQ(fonts.sheet.width, 640);
    headless::Frame shown;
    int cursorX = 0, cursorY = 0;
    GameRun run;
    // A new game without a mouse button, so no shot is fired; checked well
    // before the first figure may appear (frame 21).
    run.At(3, [] { kalvenor_test::TapKey(VK_F1, DIK_F1); });
    run.At(6, [] { kalvenor_test::MoveMouseTo(501, 303); });
    run.EveryFrame([&](uint32_t presented, const headless::Frame& frame) {
        if (presented == 12) {
            shown = frame;
            cursorX = gInput.cursorX;
            cursorY = gInput.cursorY;
        }
    });
    run.Run(15);
    ASSERT_EQ(shown.pixels.size(), static_cast<size_t>(golden::kWidth * golden::kHeight));
    ASSERT_FALSE(shown.is555);
    Canvas expected(false);
    expected.Draw(desert, Rect{0, 0, 800, 600}, 0, 0, false);
    expected.Text(fonts, 10, 6, "Score:", 0);
    expected.Text(fonts, 140, 6, "0", 0);
    for (int i = 0; i < 6; ++i) expected.Draw(sprites, Rect{30, 48, 46, 88}, 260 + 20 * i, 10, true);
    expected.Draw(sprites, Rect{0, 0, 48, 50}, cursorX, cursorY, true);
    EXPECT_EQ(cursorX, 501);
    EXPECT_EQ(cursorY, 303);
    EXPECT_EQ(Mismatches(shown, expected, 0, 0, 800, 60), 0) << "score line and cartridges";
    EXPECT_EQ(Mismatches(shown, expected, cursorX, cursorY, cursorX + 48, cursorY + 50), 0) << "crosshair";
    EXPECT_EQ(Mismatches(shown, expected, 0, 0, 800, 600), 0) << "whole screen";
}

}  // namespace
