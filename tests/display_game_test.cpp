// The display in the running game: the intro band ripples, and losing the
// screen mid-run costs frames, not pictures.
#include <gtest/gtest.h>

#include <vector>

#include "app/static_objects.h"
#include "display/bitmap_loader.h"
#include "display/display.h"
#include "display_fixture.h"
#include "platform/host_events.h"
#include "platform/inspect.h"
#include "support/game_run.h"

namespace {

constexpr int kBandTop = 392;     // the band's rows on screen, wave included
constexpr int kBandBottom = 498;

bool RowsDiffer(const headless::Frame& a, const headless::Frame& b, int top, int bottom) {
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < 800; ++x)
            if (a.At(x, y) != b.At(x, y)) return true;
    return false;
}

TEST(DisplayInGame, TheIntroBandRipplesOverAStillPicture) {
    kalvenor_test::GameRun run;
    headless::KeepFrames(true);
    run.Run(4);
    const auto& frames = headless::Frames();
    ASSERT_GE(frames.size(), 3u);
    EXPECT_TRUE(RowsDiffer(frames[1], frames[2], kBandTop, kBandBottom)) << "the wave moved";
    EXPECT_FALSE(RowsDiffer(frames[1], frames[2], 0, kBandTop - 8)) << "the picture above the band stood still";
    EXPECT_FALSE(RowsDiffer(frames[1], frames[2], kBandBottom + 8, 600));
}

TEST(DisplayInGame, LosingTheScreenCostsFramesNotPictures) {
    kalvenor_test::GameRun run;
    headless::KeepFrames(true);
    // In the background nothing is presented, so the way back comes from the
    // message loop's pumping, some frames later.
    int pumpsInBackground = -1;
    headless::OnPump([&] {
        if (pumpsInBackground < 0) return;
        if (++pumpsInBackground == 50) {
            pumpsInBackground = -1;
            platform::HostForeground(true);
        }
    });
    uint32_t presentedWhileAway = 0;
    run.At(3, [&] {
        platform::HostForeground(false);
        pumpsInBackground = 0;
        presentedWhileAway = headless::PresentedCount();
    });
    run.Run(12);
    headless::OnPump(nullptr);
    const auto& frames = headless::Frames();
    ASSERT_GE(frames.size(), 10u);
    EXPECT_TRUE(headless::MessageBoxes().empty());
    EXPECT_EQ(frames[presentedWhileAway].At(0, 0), frames[1].At(0, 0)) << "the first frame back is whole";
    // After the screen came back the intro looks as it did before the loss.
    EXPECT_FALSE(RowsDiffer(frames[1], frames.back(), 0, kBandTop - 8));
    EXPECT_EQ(platform::inspect::LiveSurfaces(), 0);
    EXPECT_EQ(platform::inspect::LiveBitmaps(), 0);
}

}  // namespace
