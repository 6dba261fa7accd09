// The wave blit: its shape, its phase and the columns it draws.
#include <gtest/gtest.h>

#include "app/app.h"
#include "display_fixture.h"
#include "effects/wave_blit.h"

using display_test::Paint;
using display_test::Read;

namespace {

LONG Offset(LONG amplitude, uint32_t step) {
    return static_cast<LONG>(static_cast<double>(amplitude) * WaveShape(step));
}

TEST(WaveShape, TableValuesAndOffsetsAtTheTabledSteps) {
    EXPECT_EQ(WaveShape(0), 0.0);
    EXPECT_EQ(WaveShape(1), 0.017452);
    EXPECT_EQ(WaveShape(30), 0.5);
    EXPECT_EQ(WaveShape(45), 0.707107);
    EXPECT_EQ(WaveShape(63), 0.891007);
    EXPECT_EQ(WaveShape(125), 0.017452);
    EXPECT_EQ(WaveShape(189), -0.891007);
    EXPECT_EQ(WaveShape(251), -0.017452);
    const std::pair<uint32_t, LONG> offsets[] = {{0, 0},    {10, 1},   {30, 5},   {63, 8},   {100, 4},
                                                 {125, 0},  {126, 0},  {150, -4}, {189, -8}, {251, 0}};
    for (auto [step, offset] : offsets) EXPECT_EQ(Offset(10, step), offset) << step;
    for (uint32_t s = 0; s < 252; ++s) {
        const bool flat = (s >= 121 && s <= 131) || s >= 247 || s <= 5;
        EXPECT_EQ(Offset(10, s) == 0, flat) << s;
    }
}

class WaveBlitTest : public display_test::GameDisplay {};

TEST_F(WaveBlitTest, PhaseFollowsTheFrameCountEvenWhenNothingIsDrawn) {
    for (auto [frames, phase] : {std::pair<uint32_t, uint32_t>{0, 0}, {50, 250}, {51, 3}, {0x40000000u, 64}}) {
        frameCount = frames;
        WaveBlit(lpDDSIntroPic, 184, 392, 604, 490, 184, 400, 10, 100, 0);
        EXPECT_EQ(wavePhase, phase) << frames << " (the product wraps at 32 bits)";
    }
}

TEST_F(WaveBlitTest, EachColumnMovesByItsOffset) {
    // Source: column c holds the value c + 1, so every screen column tells
    // where it came from and where it landed.
    Paint(lpDDSIntroPic, [](int x, int) { return static_cast<uint16_t>(x + 1); });
    ClearBackBuffer();
    frameCount = 7;
    WaveBlit(lpDDSIntroPic, 184, 392, 604, 490, 184, 400, 10, 100, kWaveColumns);
    const auto p = Read(BackBuffer);
    for (int x = 184; x < 604; ++x) {
        const LONG offset = Offset(10, static_cast<uint32_t>(x + 35) % 252);
        const int top = 400 + offset;
        ASSERT_EQ(p.At(x, top), x + 1) << x;
        ASSERT_EQ(p.At(x, top + 97), x + 1) << x;
        ASSERT_EQ(p.At(x, top - 1), 0) << x;
        ASSERT_EQ(p.At(x, top + 98), 0) << x;
    }
    EXPECT_EQ(p.At(183, 400), 0);
    EXPECT_EQ(p.At(604, 400), 0);
}

TEST_F(WaveBlitTest, ColumnsOffTheScreenAreDroppedAndNothingBreaks) {
    Paint(lpDDSIntroPic, [](int, int) { return uint16_t{0x1111}; });
    ClearBackBuffer();
    frameCount = 0;
    WaveBlit(lpDDSIntroPic, 0, 0, 800, 600, -400, -5, 10, 100, kWaveColumns | kWaveColourKey);
    WaveBlit(lpDDSIntroPic, 0, 0, 800, 20, 600, 590, 1000, -7, kWaveColumns);
    WaveBlit(lpDDSIntroPic, 0, 0, 800, 20, 0, 0, 10, 0, kWaveColumns);
    WaveBlit(lpDDSIntroPic, 10, 0, 5, 20, 0, 0, 10, 100, kWaveColumns);
    // A rectangle billions of columns wide visits only those on the screen.
    WaveBlit(lpDDSIntroPic, INT32_MIN, 0, INT32_MAX, 20, -1000000000, 0, 10, 100, kWaveColumns);
    WaveBlit(lpDDSIntroPic, 0, 0, INT32_MAX, 20, INT32_MIN, 0, 10, 100, kWaveColumns);
    const auto p = Read(BackBuffer);
    EXPECT_EQ(p.At(0, 300), 0x1111);
    EXPECT_EQ(p.At(399, 590), 0x1111);
}

}  // namespace
