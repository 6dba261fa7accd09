// A long game under random play and random platform faults. The frame count
// comes from KALVENOR_SOAK_FRAMES when set (scripts/soak runs a million).
#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/faults.h"
#include "support/game_run.h"
#include "support/soak.h"
#include "support/soak_checks.h"

namespace kalvenor_test {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// Sanitized builds run slower and keep freed memory in quarantine.
constexpr uint32_t kFrames = kSanitized ? 12000 : 50000;

uint32_t FramesToRun() {
    const char* value = std::getenv("KALVENOR_SOAK_FRAMES");
    if (value == nullptr || *value == '\0') return kFrames;
    return static_cast<uint32_t>(std::strtoul(value, nullptr, 10));
}

TEST(Soak, RandomPlayUnderFaultsKeepsEveryInvariant) {
    SoakOptions options;
    options.frames = FramesToRun();
    options.checkMemory = !kSanitized;
    const SoakReport report = RunSoak(options);
    std::printf("%s", FormatSoakReport(report).c_str());

    EXPECT_EQ(report.exitCode, 0);
    EXPECT_EQ(report.framesRun, options.frames);
    EXPECT_EQ(report.failureCount, 0u);
    for (size_t k = 0; k < kSoakFaultKinds; ++k)
        EXPECT_GT(report.faults[k], 0u) << SoakFaultName(static_cast<SoakFault>(k)) << " never injected";
    EXPECT_GT(report.checksPassed, 4ull * options.frames);
}


TEST(Soak, ProbesSeeALossAndTheFramesAfterTheRestore) {
    GameRun run;
    bool usableBefore = false;
    bool usableAtLoss = true;
    bool usableAfter = false;
    std::string during;
    std::string after;
    run.At(20, [&] {
        usableBefore = SurfacesUsable();
        platform::faults::LoseAllSurfaces();
        usableAtLoss = SurfacesUsable();
    });
    run.At(21, [&] {
        usableAfter = SurfacesUsable();
        during = CheckDrawnCompletely(headless::LastFrame());
    });
    run.At(22, [&] { after = CheckDrawnCompletely(headless::LastFrame()); });
    EXPECT_EQ(run.Run(30), 0);
    EXPECT_TRUE(usableBefore);
    EXPECT_FALSE(usableAtLoss);
    EXPECT_TRUE(usableAfter);
    EXPECT_EQ(during, "");
    EXPECT_EQ(after, "");
}


TEST(Soak, APictureLeftUnloadedAfterARestoreIsSeen) {
    GameRun run;
    std::string after;
    run.At(20, [] {
        platform::faults::LoseAllSurfaces();
        platform::faults::FailNext("CreateCompatibleDC", 6);
    });
    run.At(22, [&] { after = CheckDrawnCompletely(headless::LastFrame()); });
    EXPECT_EQ(run.Run(30), 0);
    EXPECT_NE(after, "");
}


// Every click schedules its release; a driver that kept each frame's actions
// after running them would hold megabytes more heap at the end of this run.
TEST(Soak, TheDriverForgetsTheActionsItHasRun) {
    constexpr uint32_t kWarm = 2000;
    constexpr uint32_t kEnd = 30000;
    constexpr long long kAllowedGrowth = 256 * 1024;
    if (kSanitized) GTEST_SKIP() << "sanitized memory is kept in quarantine";
    GameRun run;
    size_t warmBytes = 0;
    size_t endBytes = 0;
    run.EveryFrame([&](uint32_t presented, const headless::Frame&) {
        Click(presented % 2);
        if (presented % 100 == 0) headless::ClearMixedAudio();
        if (presented == kWarm) warmBytes = mallinfo2().uordblks;
        if (presented == kEnd) endBytes = mallinfo2().uordblks;
    });
    EXPECT_EQ(run.Run(kEnd), 0);
    EXPECT_LT(static_cast<long long>(endBytes) - static_cast<long long>(warmBytes), kAllowedGrowth);
}

}  // namespace
}  // namespace kalvenor_test
