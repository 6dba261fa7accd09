#include "game/figures.h"

#include "game_fixture.h"

namespace gametest {
namespace {

class FigureTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        gGame.state = Playing;
        gGame.roundsLeft = 7;
    }

    template <typename Figure>
    Figure* Spawn(int32_t x, int32_t y, int32_t direction) {
        auto* figure = new Figure;
        figure->x = x;
        figure->y = y;
        figure->entryDirection = direction;
        return figure;
    }

    void Step() {
        display.blits.clear();
        backBuffer.stretches.clear();
        gActors.UpdateAll();
    }

    void AimAt(int32_t ax, int32_t ay) {
        gInput.cursorX = ax - 25;
        gInput.cursorY = ay - 25;
    }

    // Hit a fresh villain in its first update; it tumbles from the next one.
    VillainFigure* HitVillain() {
        auto* v = Spawn<VillainFigure>(300, 200, 0);
        AimAt(350, 260);
        gGame.shotAnim = 1;
        Step();
        gGame.shotAnim = 0;
        return v;
    }
};

TEST_F(FigureTest, BirthDrawsPositionThenHeightThenEntryDirection) {
    srand(1234);
    const int r1 = rand(), r2 = rand(), r3 = rand();
    srand(1234);
    auto* v = new VillainFigure;
    EXPECT_EQ(v->x, r1 % 700 + 50);
    EXPECT_EQ(v->y, r2 % 500 + 50);
    EXPECT_EQ(v->entryDirection, r3 % 3);
    EXPECT_EQ(v->lifetime, 150);
    EXPECT_EQ(v->entryStep, 0);
    EXPECT_EQ(v->dyingCount, 0);
    EXPECT_EQ(v->flipPhase, 0u);
    EXPECT_EQ(v->layer, 0);

    srand(99);
    const int p1 = rand(), p2 = rand(), p3 = rand();
    srand(99);
    auto* p = new PresidentFigure;
    EXPECT_EQ(p->x, p1 % 718);
    EXPECT_EQ(p->y, p2 % 500);
    EXPECT_EQ(p->entryDirection, p3 % 3);
    EXPECT_EQ(gActors.count, 2);
    EXPECT_EQ(gActors.head, p);
}

struct Strip {
    RECT src;
    LONG x;
    LONG y;
};

Strip ExpectedStrip(int32_t direction, int32_t s, int32_t x, int32_t y) {
    switch (direction) {
    case 0:
        return {{100 - 5 * s, 0, 100, 120}, x, y};
    case 1:
        return {{0, 0, 5 * s, 120}, x + 100 - 5 * s, y};
    default:
        return {{0, 0, 100, 6 * s}, x, y + 120 - 6 * s};
    }
}

TEST_F(FigureTest, UnhitFigureRevealsWalksAndVanishesOnItsLastUpdate) {
    for (int32_t direction = 0; direction < 3; ++direction) {
        SCOPED_TRACE(direction);
        Spawn<PresidentFigure>(400, 300, direction);
        for (int32_t s = 1; s <= 20; ++s) {
            Step();
            const auto drawn = display.From(&president);
            ASSERT_EQ(drawn.size(), 1u);
            const Strip want = ExpectedStrip(direction, s, 400, 300);
            EXPECT_EQ(drawn[0].x, want.x);
            EXPECT_EQ(drawn[0].y, want.y);
            EXPECT_EQ(drawn[0].src.left, want.src.left);
            EXPECT_EQ(drawn[0].src.right, want.src.right);
            EXPECT_EQ(drawn[0].src.bottom, want.src.bottom);
            EXPECT_EQ(drawn[0].flags, 0u);
        }
        const int32_t walk = direction < 2 ? -4 : 4;
        for (int32_t frame = 1; frame <= 129; ++frame) {
            Step();
            const auto drawn = display.From(&president);
            ASSERT_EQ(drawn.size(), 1u);
            EXPECT_EQ(drawn[0].x, 400 + walk * frame);
            EXPECT_EQ(drawn[0].y, 300);
            EXPECT_EQ(drawn[0].src.right - drawn[0].src.left, 100);
            EXPECT_EQ(drawn[0].src.bottom - drawn[0].src.top, 120);
        }
        ASSERT_EQ(gActors.count, 1);
        Step();
        EXPECT_TRUE(display.blits.empty());
        EXPECT_EQ(gActors.count, 0);
    }
}

TEST_F(FigureTest, VillainHitInFirstUpdateScores149AndTumbles) {
    VillainFigure* v = HitVillain();
    EXPECT_EQ(gGame.score, 149);
    EXPECT_EQ(gGame.hits, 1);
    EXPECT_EQ(v->dyingCount, 100);
    EXPECT_EQ(display.From(&villain).size(), 1u);  // the hit frame is drawn normally

    for (int frame = 0; frame < 50; ++frame) {
        ASSERT_EQ(gActors.count, 1);
        Step();
        EXPECT_TRUE(display.From(&villain).empty());
    }
    EXPECT_EQ(gActors.count, 0);
    EXPECT_EQ(gGame.score, 149);
}

TEST_F(FigureTest, VillainHitInLastUpdateScoresNothingAndVanishes) {
    Spawn<VillainFigure>(300, 200, 2);
    AimAt(10, 10);
    for (int frame = 0; frame < 149; ++frame) Step();
    const int32_t x = static_cast<VillainFigure*>(gActors.head)->x;
    AimAt(x + 50, 260);
    gGame.shotAnim = 3;
    Step();
    EXPECT_EQ(gGame.hits, 1);
    EXPECT_EQ(gGame.score, 0);
    EXPECT_EQ(gActors.count, 0);
    EXPECT_TRUE(display.blits.empty());
    EXPECT_TRUE(backBuffer.stretches.empty());
    EXPECT_TRUE(SoundLog().empty());
}

TEST_F(FigureTest, HitBoxEdgesAreInclusive) {
    struct Case {
        bool president;
        int32_t dx, dy;
        bool hit;
    } cases[] = {
        {false, 100, 120, true}, {false, 0, 0, true},   {false, 101, 60, false},
        {false, 50, 121, false}, {false, -1, 60, false}, {true, 82, 99, true},
        {true, 0, 0, true},      {true, 83, 50, false},  {true, 40, 100, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.president << " " << c.dx << "," << c.dy);
        gActors.Clear();
        gGame.hits = gGame.presidentHits = 0;
        Actor* figure = c.president ? static_cast<Actor*>(Spawn<PresidentFigure>(300, 200, 0))
                                    : static_cast<Actor*>(Spawn<VillainFigure>(300, 200, 0));
        AimAt(300 + c.dx, 200 + c.dy);
        gGame.shotAnim = 1;
        const int hit = c.president ? static_cast<PresidentFigure*>(figure)->HitTest()
                                    : static_cast<VillainFigure*>(figure)->HitTest();
        EXPECT_EQ(hit, c.hit ? 1 : 0);
        EXPECT_EQ(c.president ? gGame.presidentHits : gGame.hits, c.hit ? 1 : 0);
    }
}

TEST_F(FigureTest, EmptyGunHitsNothing) {
    gGame.roundsLeft = 0;
    Spawn<VillainFigure>(300, 200, 0);
    Spawn<PresidentFigure>(300, 200, 0);
    AimAt(340, 240);
    gGame.shotAnim = 12;
    Step();
    EXPECT_EQ(gGame.hits, 0);
    EXPECT_EQ(gGame.presidentHits, 0);
    EXPECT_TRUE(SoundLog().empty());
}

TEST_F(FigureTest, OneShotHitsOverlappingFiguresOnceEach) {
    auto* v = Spawn<VillainFigure>(300, 200, 0);
    auto* p = Spawn<PresidentFigure>(310, 210, 1);
    AimAt(340, 240);
    for (int frame = 0; frame < 7; ++frame) {
        gGame.shotAnim = 7 - frame;
        Step();
        if (frame == 0) {
            EXPECT_EQ(v->dyingCount, 100);
            EXPECT_EQ(p->dyingCount, 100);
        }
    }
    EXPECT_EQ(gGame.hits, 1);
    EXPECT_EQ(gGame.presidentHits, 1);
    EXPECT_EQ(gGame.score, 149);
    EXPECT_EQ(SoundLog(), (std::vector<std::string>{"wrong:stop", "wrong:play"}));
}

TEST_F(FigureTest, HitSoundComesAtDyingCount80FromRandMod3) {
    bool heard[3] = {};
    for (unsigned seed = 1; seed < 40 && !(heard[0] && heard[1] && heard[2]); ++seed) {
        gActors.Clear();
        SoundLog().clear();
        VillainFigure* v = HitVillain();
        while (v->dyingCount > 80) Step();
        EXPECT_TRUE(SoundLog().empty());
        srand(seed);
        const int k = rand() % 3;
        srand(seed);
        Step();
        const std::string names[] = {"hit1", "hit2", "hit3"};
        EXPECT_EQ(SoundLog(), std::vector<std::string>{names[k] + ":play"});
        heard[k] = true;
        while (gActors.count != 0) Step();
        EXPECT_EQ(SoundLog().size(), 1u);
    }
    EXPECT_TRUE(heard[0] && heard[1] && heard[2]);
}

TEST_F(FigureTest, PresidentTumblesSilently) {
    Spawn<PresidentFigure>(300, 200, 0);
    AimAt(340, 240);
    gGame.shotAnim = 1;
    Step();
    gGame.shotAnim = 0;
    SoundLog().clear();
    int updates = 0;
    while (gActors.count != 0) {
        Step();
        ++updates;
    }
    EXPECT_EQ(updates, 50);
    EXPECT_TRUE(SoundLog().empty());
    EXPECT_EQ(gGame.score, 0);
    EXPECT_EQ(gGame.state, Playing);
}

// Each dying frame is the tumbling draw at the hop's height: top at y first,
// 50 above it at dyingCount 50, 2 above it last.
TEST_F(FigureTest, DyingFigureHopsAndIsNotHitAgain) {
    VillainFigure* v = HitVillain();
    gGame.shotAnim = 5;
    for (int frame = 0; frame < 50; ++frame) {
        SCOPED_TRACE(frame);
        const int32_t d = 100 - 2 * frame;
        uint32_t phase = v->flipPhase;
        FakeSurface expected;
        BackBuffer = &expected;
        const LONG hop = std::abs(d - 50) - 50;
        DrawTumbling(&villain, RECT{0, 0, 100, 120}, 300, 200 + hop, 50, d, phase);
        BackBuffer = &backBuffer;
        Step();
        ASSERT_EQ(backBuffer.stretches.size(), expected.stretches.size());
        if (!expected.stretches.empty()) {
            EXPECT_EQ(backBuffer.stretches[0].dest.top, expected.stretches[0].dest.top);
            EXPECT_EQ(backBuffer.stretches[0].dest.left, expected.stretches[0].dest.left);
        }
        if (frame < 49) {
            EXPECT_EQ(v->flipPhase, phase);
        }
    }
    EXPECT_EQ(gActors.count, 0);
    EXPECT_EQ(gGame.hits, 1);
}

TEST_F(FigureTest, ThirdPresidentHitEndsTheGameInsideThePass) {
    gGame.presidentHits = 2;
    Spawn<VillainFigure>(600, 400, 0);    // last in the ring: must not run
    Spawn<PresidentFigure>(100, 100, 0);
    Spawn<VillainFigure>(500, 100, 0);    // head: runs before the president
    AimAt(140, 140);
    gGame.shotAnim = 4;
    Step();
    EXPECT_EQ(gGame.presidentHits, 3);
    EXPECT_EQ(gGame.state, GameOver);
    EXPECT_EQ(gGame.buttonLatch, 1);
    EXPECT_EQ(gActors.head, nullptr);
    EXPECT_EQ(gActors.count, 0);
    const auto villains = display.From(&villain);
    ASSERT_EQ(villains.size(), 1u);
    EXPECT_EQ(villains[0].x, 500);
    EXPECT_TRUE(display.From(&president).empty());
    EXPECT_EQ(SoundLog(), (std::vector<std::string>{"wrong:stop", "wrong:play"}));
}

struct TumbleFrame {
    int32_t d;
    uint32_t phase;
    RECT dest;
};

TEST_F(FigureTest, TumblingFollowsTheWorkedFrames) {
    const TumbleFrame worked[] = {
        {100, 50, {0, 47, 100, 73}},   {98, 100, {1, 35, 99, 85}},
        {92, 250, {4, 4, 96, 116}},    {90, 262, {5, 7, 95, 113}},
        {78, 492, {11, 58, 89, 62}},
    };
    const LONG X = 200, Y = 150;
    uint32_t phase = 0;
    size_t next = 0;
    for (int32_t d = 100; d >= 78; d -= 2) {
        backBuffer.stretches.clear();
        DrawTumbling(&villain, RECT{0, 0, 100, 120}, X, Y, 50, d, phase);
        if (next < std::size(worked) && worked[next].d == d) {
            SCOPED_TRACE(d);
            const TumbleFrame& want = worked[next++];
            EXPECT_EQ(phase, want.phase);
            ASSERT_EQ(backBuffer.stretches.size(), 1u);
            const StretchCall& call = backBuffer.stretches[0];
            EXPECT_EQ(call.dest.left, X + want.dest.left);
            EXPECT_EQ(call.dest.top, Y + want.dest.top);
            EXPECT_EQ(call.dest.right, X + want.dest.right);
            EXPECT_EQ(call.dest.bottom, Y + want.dest.bottom);
            EXPECT_EQ(call.source, &villain);
            EXPECT_EQ(call.src.right, 100);
            EXPECT_EQ(call.src.bottom, 120);
            EXPECT_EQ(call.flags, static_cast<DWORD>(DDBLT_DDFX));
            EXPECT_EQ(call.fx.dwSize, sizeof(DDBLTFX));
            EXPECT_EQ(call.fx.dwDDFX, 0u);
        }
    }
    EXPECT_EQ(next, std::size(worked));
}

TEST_F(FigureTest, TumblingMirrorsPastHalfATurnAndWrapsWithoutCarry) {
    struct Case {
        uint32_t before;
        int32_t d;
        uint32_t after;
        DWORD mirror;
    } cases[] = {
        {450, 60, 504, DDBLTFX_MIRRORUPDOWN},  // speed 54
        {446, 60, 500, 0},                     // exactly 500 is not mirrored
        {730, 60, 743, DDBLTFX_MIRRORUPDOWN},  // slow zone: 54 / 4
        {990, 60, 0, 0},                       // 1044 wraps to 0, excess dropped
        {225, 100, 275, 0},                    // 225 itself is outside the zone
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        backBuffer.stretches.clear();
        uint32_t phase = c.before;
        DrawTumbling(&president, RECT{0, 0, 100, 120}, 300, 200, 50, c.d, phase);
        EXPECT_EQ(phase, c.after);
        if (!backBuffer.stretches.empty()) {
            EXPECT_EQ(backBuffer.stretches[0].fx.dwDDFX, c.mirror);
        }
    }
}

TEST_F(FigureTest, TumblingOffTheBufferIsRefusedButThePhaseMoves) {
    uint32_t phase = 100;
    DrawTumbling(&villain, RECT{0, 0, 100, 120}, 750, 200, 50, 90, phase);
    EXPECT_TRUE(backBuffer.stretches.empty());
    EXPECT_EQ(backBuffer.refused, 1);
    EXPECT_EQ(phase, 151u);

    BackBuffer = nullptr;
    DrawTumbling(&villain, RECT{0, 0, 100, 120}, 300, 200, 50, 90, phase);
    EXPECT_EQ(phase, 202u);
}

}  // namespace
}  // namespace gametest
