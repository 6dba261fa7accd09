// The game-over screen as presented, in both 16-bit layouts: the statistics
// box halves exactly the picture behind it and nothing outside, with the
// verdict and the statistics of the game drawn over it.
#include <gtest/gtest.h>

#include <string>

#include "app/static_objects.h"
#include "game/actor_list.h"
#include "game/figures.h"
#include "game/game.h"
#include "platform/faults.h"
#include "support/game_run.h"
#include "support/golden_screen.h"

namespace {

using golden::Canvas;
using golden::Rect;
using namespace kalvenor_test;

constexpr Rect kScreen{0, 0, 800, 600};
constexpr Rect kBox{100, 175, 700, 455};
constexpr Rect kCartridge{30, 48, 46, 88};

struct Outcome {
    int score, presidentHits, cartridges, shots, hits;
    bool timedOut;
};

// Backdrop and HUD: what the box is drawn over.
Canvas Behind(bool is555, const golden::Font& font, const Outcome& o) {
    Canvas c(is555);
    c.Draw(golden::LoadPicture("DESERT", is555), kScreen, 0, 0, false);
    c.Text(font, 10, 6, "Score:", 0);
    c.Number(font, 140, 6, o.score, 0);
    for (int i = 0; i < o.presidentHits; ++i) c.Text(font, 10 + 30 * i, 54, "X", 0);
    const golden::Picture sprites = golden::LoadPicture("SPRITES", is555);
    for (int i = 0; i < o.cartridges; ++i) c.Draw(sprites, kCartridge, 260 + 20 * i, 10, true);
    return c;
}

Canvas Whole(Canvas c, const golden::Font& font, const Outcome& o) {
    c.HalveBox(kBox);
    c.Text(font, 270, 250, "Shots Fired:", 0);
    c.Text(font, 270, 285, "Hits:", 0);
    c.Text(font, 270, 320, "Misses:", 0);
    c.Number(font, 480, 250, o.shots, 0);
    c.Number(font, 480, 285, o.hits, 0);
    c.Number(font, 480, 320, o.shots - o.hits, 0);
    if (o.timedOut) {
        c.Text(font, 320, 182, "Time's up!", 0);
    } else {
        c.Text(font, 130, 182, "Idiot! You shot the president!", 0);
    }
    c.Text(font, 130, 402, "Press mouse button to play again", 0);
    return c;
}

template <typename Figure>
void PlaceUnderTheAim(int count, int32_t lifetime) {
    for (int i = 0; i < count; ++i) {
        auto* f = new Figure;  // links itself into the ring
        f->x = 300;
        f->y = 200;
        f->entryStep = 20;
        f->lifetime = lifetime;
    }
    MoveMouseTo(300 + 40 - 25, 200 + 50 - 25);
}

class GoldenGameOver : public ::testing::TestWithParam<bool> {
protected:
    // Runs a game scripted by `arrange` and keeps frame `checked`.
    headless::Frame Play(uint32_t checked, const std::function<void(GameRun&)>& arrange) {
        GameRun run;
        platform::faults::UseLayout555(GetParam());
        run.At(3, [] { Click(0); });  // leaves the intro without firing
        arrange(run);
        headless::Frame kept;
        run.At(checked, [&] {
            kept = headless::LastFrame();
            state = gGame.state;
        });
        run.Run(checked + 2);
        return kept;
    }

    void Check(const headless::Frame& frame, const Outcome& o) {
        ASSERT_EQ(state, GameOver);
        ASSERT_EQ(frame.pixels.size(), static_cast<size_t>(golden::kWidth * golden::kHeight));
        const bool is555 = GetParam();
        EXPECT_EQ(frame.is555, is555);
        const golden::Font font = golden::LoadFont(is555);
        const Canvas behind = Behind(is555, font, o);
        const Canvas whole = Whole(behind, font, o);
        std::string report;
        const Rect outside[] = {{0, 0, 800, kBox.top},
                                {0, kBox.bottom, 800, 600},
                                {0, kBox.top, kBox.left, kBox.bottom},
                                {kBox.right, kBox.top, 800, kBox.bottom}};
        for (const Rect& r : outside)
            EXPECT_EQ(golden::Mismatches(frame, behind, r, &report), 0) << "unchanged outside:" << report;
        int notHalved = 0, text = 0;
        for (int y = kBox.top; y < kBox.bottom; ++y)
            for (int x = kBox.left; x < kBox.right; ++x) {
                if (whole.inked[static_cast<size_t>(y) * golden::kWidth + x]) {
                    ++text;
                    continue;
                }
                notHalved += frame.At(x, y) != golden::Halve(behind.At(x, y), is555);
            }
        EXPECT_EQ(notHalved, 0);
        EXPECT_GT(text, 0);
        report.clear();
        EXPECT_EQ(golden::Mismatches(frame, whole, kBox, &report), 0) << "texts in the box:" << report;
    }

    int32_t state = -1;
};

TEST_P(GoldenGameOver, TimeUpAfterOneShotHitTwoVillains) {
    headless::Frame frame = Play(20, [](GameRun& run) {
        run.At(5, [] {
            gActors.Clear();
            PlaceUnderTheAim<VillainFigure>(2, 120);
            Click(0);
        });
        // Ten frames short of the end: frame 17 is the 3001st of the game.
        run.At(7, [] { gGame.playFrames = kFramesPerGame - 10; });
    });
    // Each villain scores the 119 frames it had left; one shot, two hits.
    Check(frame, {2 * 119, 0, 5, 1, 2, true});
}

TEST_P(GoldenGameOver, TheThirdPresidentHitEndsIt) {
    headless::Frame frame = Play(9, [](GameRun& run) {
        run.At(5, [] {
            gActors.Clear();
            PlaceUnderTheAim<PresidentFigure>(3, 150);
            Click(0);
        });
    });
    Check(frame, {0, 3, 5, 1, 0, false});
}

INSTANTIATE_TEST_SUITE_P(Layouts, GoldenGameOver, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& layout) {
                             return layout.param ? "Layout555" : "Layout565";
                         });

}  // namespace
