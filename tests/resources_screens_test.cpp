// The stored pictures as the player sees them: the whole game runs on the
// headless host, and its frames are compared with the same pictures composed
// here from the resources, by the rules the pictures were made for (black is
// see-through on the sprite and font sheets, glyph widths from the ink).
#include <gtest/gtest.h>
#include <windows.h>
#define DIRECTINPUT_VERSION 0x0300
#include <dinput.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/static_objects.h"
#include "input/input_devices.h"
#include "support/game_run.h"

namespace {

using kalvenor_test::GameRun;

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};

// A bitmap resource expanded to colours, top row first; only what the stored
// pictures use (RLE8 without deltas) is understood.
struct Picture {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;
    Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Picture LoadPicture(const char* name) {
    Picture p;
    HRSRC found = FindResourceA(NULL, name, RT_BITMAP);
    if (found == NULL) return p;
    const auto* b = static_cast<const uint8_t*>(LockResource(LoadResource(NULL, found)));
    uint32_t size = SizeofResource(NULL, found);
    auto u32 = [&](size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24; };
    p.width = static_cast<int>(u32(4));
    p.height = static_cast<int>(u32(8));
    p.pixels.resize(static_cast<size_t>(p.width) * p.height);
    size_t at = 1064;
    int x = 0, row = 0;
    auto put = [&](uint8_t index) {
        if (x < p.width && row < p.height)
            p.pixels[static_cast<size_t>(p.height - 1 - row) * p.width + x] = {b[40 + index * 4 + 2], b[40 + index * 4 + 1], b[40 + index * 4]};
        ++x;
    };
    while (at + 1 < size) {
        uint8_t count = b[at], value = b[at + 1];
        at += 2;
        if (count) {
            for (int i = 0; i < count; ++i) put(value);
        } else if (value == 0) {
            x = 0;
            ++row;
        } else if (value == 1) {
            break;
        } else {
            for (int i = 0; i < value && at + i < size; ++i) put(b[at + i]);
            at += value + (value & 1u);
        }
    }
    return p;
}

bool IsBlack(Rgb c) { return c.r == 0 && c.g == 0 && c.b == 0; }

// One pixel of a frame against the colour it should show, allowing the
// display one step of rounding in each channel.
bool Shows(uint16_t pixel, Rgb c, bool is555) {
    int r, g, b, gMax;
    if (is555) {
        r = pixel >> 10 & 31, g = pixel >> 5 & 31, b = pixel & 31, gMax = 31;
    } else {
        r = pixel >> 11 & 31, g = pixel >> 5 & 63, b = pixel & 31, gMax = 63;
    }
    auto near = [](int got, int want, int levels) { return std::abs(got - want * levels / 255) <= 1; };
    return near(r, c.r, 31) && near(g, c.g, gMax) && near(b, c.b, 31);
}

constexpr int kScreenW = 800, kScreenH = 600;

struct Screen {
    std::vector<Rgb> pixels = std::vector<Rgb>(kScreenW * kScreenH);
    Rgb& At(int x, int y) { return pixels[static_cast<size_t>(y) * kScreenW + x]; }
    void Draw(const Picture& from, int sx, int sy, int w, int h, int dx, int dy, bool keyed) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                Rgb c = from.At(sx + x, sy + y);
                if (keyed && IsBlack(c)) continue;
                if (dx + x >= 0 && dx + x < kScreenW && dy + y >= 0 && dy + y < kScreenH) At(dx + x, dy + y) = c;
            }
    }
};

// Font 0 text as the game lays it out: whole cells, advancing by the width
// measured from the sheet's ink.
void DrawLargeText(Screen& s, const Picture& fonts, int x, int y, const std::string& text) {
    for (char ch : text) {
        int g = ch - 33;
        int cellX = 32 * (g % 20), cellY = 38 * (g / 20);
        int width = 0;
        for (int w = 32; w > 0 && width == 0; --w)
            for (int row = 0; row < 38; ++row)
                if (!IsBlack(fonts.At(cellX + w - 1, cellY + row))) width = w;
        s.Draw(fonts, cellX, cellY, 32, 38, x, y, true);
        x += width;
    }
}

int Mismatches(const headless::Frame& frame, Screen& expected, int left, int top, int right, int bottom) {
    int wrong = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) wrong += !Shows(frame.At(x, y), expected.At(x, y), frame.is555);
    return wrong;
}

TEST(ResourceScreens, IntroShowsTheTitlePictureOutsideTheRipplingBand) {
    Picture intro = LoadPicture("INTROPIC");
    ASSERT_EQ(intro.width, 800);
    headless::Frame shown;
    GameRun run;
    run.EveryFrame([&](uint32_t presented, const headless::Frame& frame) {
        if (presented == 5) shown = frame;
    });
    run.Run(8);
    ASSERT_EQ(shown.pixels.size(), static_cast<size_t>(kScreenW * kScreenH));
    Screen expected;
    expected.Draw(intro, 0, 0, 800, 600, 0, 0, false);
    EXPECT_EQ(Mismatches(shown, expected, 0, 0, 800, 380), 0);
    EXPECT_EQ(Mismatches(shown, expected, 0, 510, 800, 600), 0);
    // The band itself is redrawn moved, but from the same picture.
    EXPECT_EQ(Mismatches(shown, expected, 0, 380, 180, 510), 0);
}

TEST(ResourceScreens, PlayingHudAndCrosshairShowTheBackdropThroughTheirBlack) {
    Picture desert = LoadPicture("DESERT"), sprites = LoadPicture("SPRITES"), fonts = LoadPicture("FONTS");
    ASSERT_EQ(desert.width, 800);
    ASSERT_EQ(sprites.width, 50);
    ASSERT_EQ(fonts.width, 640);
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
    ASSERT_EQ(shown.pixels.size(), static_cast<size_t>(kScreenW * kScreenH));
    Screen expected;
    expected.Draw(desert, 0, 0, 800, 600, 0, 0, false);
    DrawLargeText(expected, fonts, 10, 6, "Score:");
    DrawLargeText(expected, fonts, 140, 6, "0");
    for (int i = 0; i < 6; ++i) expected.Draw(sprites, 30, 48, 16, 40, 260 + 20 * i, 10, true);
    expected.Draw(sprites, 0, 0, 48, 50, cursorX, cursorY, true);
    EXPECT_EQ(cursorX, 501);
    EXPECT_EQ(cursorY, 303);
    EXPECT_EQ(Mismatches(shown, expected, 0, 0, 800, 60), 0) << "score line and cartridges";
    EXPECT_EQ(Mismatches(shown, expected, cursorX, cursorY, cursorX + 48, cursorY + 50), 0) << "crosshair";
    EXPECT_EQ(Mismatches(shown, expected, 0, 0, 800, 600), 0) << "whole screen";
}

}  // namespace
