// Playing frames as presented, against the stored pictures composed by the
// drawing rules: backdrop, the figures where the ring has them, the score and
// president marks, the cartridges, the muzzle flash and the crosshair on top.
#include <gtest/gtest.h>
#include <windows.h>
#define DIRECTINPUT_VERSION 0x0300
#include <dinput.h>

#include <map>
#include <vector>

#include "app/static_objects.h"
#include "game/actor_list.h"
#include "game/figures.h"
#include "game/game.h"
#include "input/input_devices.h"
#include "support/game_run.h"
#include "support/golden_screen.h"

namespace {

using golden::Canvas;
using golden::Picture;
using namespace kalvenor_test;

constexpr golden::Rect kScreen{0, 0, 800, 600};
constexpr golden::Rect kCrosshair{0, 0, 48, 50};
constexpr golden::Rect kCartridge{30, 48, 46, 88};
constexpr golden::Rect kFigure{0, 0, 100, 120};
// The flash's frame tops over the seven frames after a shot.
constexpr int kFlashTops[] = {55, 63, 71, 79, 71, 63, 55};

struct Pictures {
    Picture desert = golden::LoadPicture("DESERT", false);
    Picture sprites = golden::LoadPicture("SPRITES", false);
    Picture villain = golden::LoadPicture("VILLAIN", false);
    golden::Font font = golden::LoadFont(false);
};

// What a playing frame holds besides the backdrop, in drawing order.
struct Scene {
    std::vector<POINT> villains;
    int flashTop = -1;  // none
    bool reloadHint = false;
    int presidentHits = 0;
    int cartridges = 0;
    POINT cursor{};
};

Canvas ExpectedPlaying(const Pictures& p, const Scene& s) {
    Canvas c(false);
    c.Draw(p.desert, kScreen, 0, 0, false);
    for (POINT v : s.villains) c.Draw(p.villain, kFigure, v.x, v.y, false);
    if (s.reloadHint) c.Text(p.font, s.cursor.x - 35, s.cursor.y - 25, "Reload! (right mouse button)", 1);
    if (s.flashTop >= 0)
        c.Draw(p.sprites, {12, s.flashTop, 20, s.flashTop + 8}, s.cursor.x + 20, s.cursor.y + 24, true);
    c.Text(p.font, 10, 6, "Score:", 0);
    c.Number(p.font, 140, 6, 0, 0);
    for (int i = 0; i < s.presidentHits; ++i) c.Text(p.font, 10 + 30 * i, 54, "X", 0);
    for (int i = 0; i < s.cartridges; ++i) c.Draw(p.sprites, kCartridge, 260 + 20 * i, 10, true);
    c.Draw(p.sprites, kCrosshair, s.cursor.x, s.cursor.y, true);
    return c;
}

template <typename Figure>
Figure* Place(int32_t x, int32_t y, int32_t direction) {
    auto* f = new Figure;  // links itself into the ring
    f->x = x;
    f->y = y;
    f->entryStep = 20;
    f->entryDirection = direction;
    return f;
}

std::vector<POINT> VillainsInRing() {
    std::vector<POINT> found;
    const Actor* a = gActors.head;
    if (a == nullptr) return found;
    do {
        if (dynamic_cast<const VillainFigure*>(a) != nullptr) found.push_back({a->x, a->y});
        a = a->next;
    } while (a != gActors.head);
    return found;
}

TEST(GoldenPlaying, FiguresHudFlashAndCrosshairAfterPresidentHitsAndAReload) {
    Pictures p;
    ASSERT_EQ(p.desert.width, 800);
    ASSERT_EQ(p.villain.width, 100);
    ASSERT_EQ(p.villain.height, 120);
    GameRun run;
    // The first spawn tick of the game comes at frame 22; until then the
    // ring holds only what is placed here.
    run.At(3, [] { Click(0); });  // leaves the intro without firing
    run.At(5, [] {
        gActors.Clear();
        // Two presidents in one place: one shot hits both.
        Place<PresidentFigure>(300, 200, 0);
        Place<PresidentFigure>(300, 200, 0);
        MoveMouseTo(300 + 41 - 25, 200 + 50 - 25);
        Click(0);
    });
    const POINT cursor{100, 380};
    run.At(11, [&] {
        gActors.Clear();
        Place<VillainFigure>(500, 300, 2);
        MoveMouseTo(cursor.x, cursor.y);
    });
    run.At(12, [] { Click(1); });  // reload in frame 13
    run.At(14, [] { Click(0); });  // a shot in frame 15, aimed at nothing
    std::map<uint32_t, Scene> seen;
    std::map<uint32_t, headless::Frame> frames;
    run.EveryFrame([&](uint32_t presented, const headless::Frame& frame) {
        if (presented < 13 || presented > 21) return;
        Scene s;
        s.villains = VillainsInRing();
        s.cursor = {gInput.cursorX, gInput.cursorY};
        seen[presented] = s;
        frames[presented] = frame;
    });
    run.Run(24);

    for (uint32_t n = 13; n <= 21; ++n) {
        SCOPED_TRACE(n);
        ASSERT_EQ(frames.count(n), 1u);
        Scene s = seen[n];
        ASSERT_EQ(s.villains.size(), 1u);
        EXPECT_EQ(s.villains[0].x, 500 + 4 * static_cast<int>(n - 11)) << "walks 4 a frame";
        EXPECT_EQ(s.cursor.x, cursor.x);
        EXPECT_EQ(s.cursor.y, cursor.y);
        s.presidentHits = 2;
        s.cartridges = n < 15 ? 6 : 5;
        if (n >= 15) s.flashTop = kFlashTops[n - 15];
        std::string report;
        EXPECT_EQ(golden::Mismatches(frames[n], ExpectedPlaying(p, s), kScreen, &report), 0) << report;
    }
}

TEST(GoldenPlaying, TheEmptyingRoundShowsTheHintCutAtTheScreenEdgeAndNoFlash) {
    Pictures p;
    GameRun run;
    run.At(3, [] { Click(0); });
    // Held from frame 6: a round every 7 frames, the seventh in frame 48.
    run.At(5, [] {
        MoveMouseTo(0, 0);
        PressButton(0);
    });
    run.EveryFrame([](uint32_t, const headless::Frame&) { gActors.Clear(); });
    std::map<uint32_t, headless::Frame> frames;
    std::map<uint32_t, int32_t> rounds;
    run.EveryFrame([&](uint32_t presented, const headless::Frame& frame) {
        if (presented >= 41 && presented <= 55) {
            frames[presented] = frame;
            rounds[presented] = gGame.roundsLeft;
        }
    });
    run.Run(60);
    for (uint32_t n = 41; n <= 47; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(rounds[n], 1);
        Scene s;
        s.flashTop = kFlashTops[n - 41];
        std::string report;
        EXPECT_EQ(golden::Mismatches(frames[n], ExpectedPlaying(p, s), kScreen, &report), 0) << report;
    }
    for (uint32_t n = 48; n <= 54; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(rounds[n], 0);
        Scene s;
        s.reloadHint = true;
        std::string report;
        EXPECT_EQ(golden::Mismatches(frames[n], ExpectedPlaying(p, s), kScreen, &report), 0) << report;
    }
}

}  // namespace
