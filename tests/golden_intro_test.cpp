// The intro as presented, against the title picture: the band under the
// title ripples column by column and the wave travels 5 columns a frame,
// while everything outside the band is the picture, unmoved.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <optional>
#include <set>

#include "support/game_run.h"
#include "support/golden_screen.h"

namespace {

using golden::Canvas;
using golden::Picture;
using golden::Rect;

// The band: picture rows 392..489 of columns 184..603, redrawn from y = 400
// moved by at most 8 rows either way.
constexpr int kBandLeft = 184;
constexpr int kBandRight = 604;
constexpr int kBandSourceTop = 392;
constexpr int kBandHeight = 98;
constexpr int kBandY = 400;
constexpr int kMostOffset = 8;
constexpr int kRowsAbove = kBandY - kMostOffset;                // 392
constexpr int kRowsBelow = kBandY + kBandHeight + kMostOffset;  // 506
constexpr int kCycle = 252;
constexpr int kAmplitude = 10;
constexpr int kStepsPerFrame = 5;

// The wave's shape: sines of whole degrees to six places, in four mirrored
// quarters of 63 steps.
double Shape(int s) {
    auto t = [](int degrees) { return std::round(std::sin(degrees * M_PI / 180.0) * 1e6) / 1e6; };
    if (s < 64) return t(s);
    if (s < 126) return t(126 - s);
    if (s < 189) return -t(s - 126);
    return -t(252 - s);
}

int Offset(int x, uint32_t framesBefore) {
    const int phase = static_cast<int>(kStepsPerFrame * framesBefore % kCycle);
    return static_cast<int>(kAmplitude * Shape((x + phase) % kCycle));
}

// The intro screen of the frame drawn after `framesBefore` presents.
Canvas ExpectedIntro(const Picture& title, uint32_t framesBefore) {
    Canvas c(false);
    c.Draw(title, {0, 0, 800, 600}, 0, 0, false);
    for (int x = kBandLeft; x < kBandRight; ++x)
        c.Draw(title, {x, kBandSourceTop, x + 1, kBandSourceTop + kBandHeight}, x, kBandY + Offset(x, framesBefore),
               false);
    return c;
}

// The one offset by which the screen column shows the picture's band column,
// if the picture tells it.
std::optional<int> SeenOffset(const headless::Frame& frame, const Picture& title, int x) {
    std::optional<int> found;
    for (int o = -kMostOffset; o <= kMostOffset; ++o) {
        bool same = true;
        for (int r = 0; r < kBandHeight && same; ++r)
            same = frame.At(x, kBandY + o + r) == title.At(x, kBandSourceTop + r);
        if (!same) continue;
        if (found) return std::nullopt;
        found = o;
    }
    return found;
}

class GoldenIntro : public ::testing::Test {
protected:
    void SetUp() override {
        title = golden::LoadPicture("INTROPIC", false);
        ASSERT_EQ(title.width, 800);
        ASSERT_EQ(title.height, 600);
        kalvenor_test::GameRun run;
        run.EveryFrame([this](uint32_t presented, const headless::Frame& frame) {
            if (kKept.count(presented) != 0) frames[presented] = frame;
        });
        run.Run(kLast + 1);
        ASSERT_EQ(frames.size(), kKept.size());
    }

    // Early frames, and the two on either side of the phase's wrap (250, then 3).
    static inline const std::set<uint32_t> kKept = {2, 3, 4, 51, 52};
    static constexpr uint32_t kLast = 52;
    Picture title;
    std::map<uint32_t, headless::Frame> frames;
};

TEST_F(GoldenIntro, EachFrameIsThePictureWithItsBandWaved) {
    for (const auto& [presented, frame] : frames) {
        SCOPED_TRACE(presented);
        std::string report;
        EXPECT_EQ(golden::Mismatches(frame, ExpectedIntro(title, presented - 1), {0, 0, 800, 600}, &report), 0)
            << report;
    }
}

TEST_F(GoldenIntro, OutsideTheBandThePictureStandsStill) {
    Canvas still(false);
    still.Draw(title, {0, 0, 800, 600}, 0, 0, false);
    const Rect regions[] = {{0, 0, 800, kRowsAbove},
                            {0, kRowsBelow, 800, 600},
                            {0, kRowsAbove, kBandLeft, kRowsBelow},
                            {kBandRight, kRowsAbove, 800, kRowsBelow}};
    for (const auto& [presented, frame] : frames)
        for (const Rect& r : regions) {
            SCOPED_TRACE(presented);
            std::string report;
            EXPECT_EQ(golden::Mismatches(frame, still, r, &report), 0) << report;
        }
}

TEST_F(GoldenIntro, TheWaveMovesFiveColumnsAFrame) {
    const std::pair<uint32_t, uint32_t> pairs[] = {{2, 3}, {3, 4}, {51, 52}};
    for (auto [before, after] : pairs) {
        SCOPED_TRACE(before);
        int compared = 0;
        bool moved = false;
        for (int x = kBandLeft; x + kStepsPerFrame < kBandRight; ++x) {
            std::optional<int> now = SeenOffset(frames[after], title, x);
            std::optional<int> earlier = SeenOffset(frames[before], title, x + kStepsPerFrame);
            std::optional<int> same = SeenOffset(frames[before], title, x);
            if (!now || !earlier) continue;
            ++compared;
            EXPECT_EQ(*now, *earlier) << "column " << x;
            moved = moved || (same && *same != *now);
        }
        EXPECT_GT(compared, 300) << "the picture should pin down most columns";
        EXPECT_TRUE(moved);
    }
}

}  // namespace
