// Frame pacing by the millisecond tick, through the running game.
#include <gtest/gtest.h>

#include <vector>

#include "app/app.h"
#include "support/game_run.h"

using namespace kalvenor_test;

namespace {

constexpr uint32_t kFrames = 60;
constexpr uint32_t kMinGap = 10;

// lastFrameTick of every presented frame.
std::vector<uint32_t> ReleaseTicks(uint32_t startTick, uint32_t step) {
    GameRun run;
    headless::SetTick(startTick);
    headless::SetTickStep(step);
    std::vector<uint32_t> ticks;
    run.EveryFrame([&](uint32_t, const headless::Frame&) { ticks.push_back(lastFrameTick); });
    // Leave the intro, so the playing frames are paced too.
    run.At(5, [] { Click(0); });
    EXPECT_EQ(run.Run(kFrames), 0);
    return ticks;
}

void ExpectPaced(const std::vector<uint32_t>& ticks, uint32_t longestGap) {
    ASSERT_EQ(ticks.size(), kFrames);
    for (size_t i = 1; i < ticks.size(); ++i) {
        uint32_t gap = ticks[i] - ticks[i - 1];
        EXPECT_GE(gap, kMinGap) << "frame " << i + 1;
        EXPECT_LE(gap, longestGap) << "frame " << i + 1;
    }
}

TEST(AppPacing, FramesAreReleasedAtLeastTenMillisecondsApart) {
    // With a 1 ms step the wait ends on the first tick that is far enough,
    // give or take the few reads the frame itself makes.
    ExpectPaced(ReleaseTicks(1000, 1), 40);
}

TEST(AppPacing, ACoarseTickMakesTheFrameWaitForItToMove) {
    // Every read moves 16 ms: each frame is released on a later read than
    // the last, never on the same tick.
    ExpectPaced(ReleaseTicks(1000, 16), 16 * 8);
}

TEST(AppPacing, TheTickWrapDoesNotStopThePacing) {
    const uint32_t start = 0xFFFFFFFFu - 200;
    std::vector<uint32_t> ticks = ReleaseTicks(start, 3);
    ExpectPaced(ticks, 60);
    EXPECT_LT(ticks.back(), start);  // the counter did wrap
}

}  // namespace
