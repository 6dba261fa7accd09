#include "game/figures.h"
#include "game/game.h"

#include "game_fixture.h"

namespace gametest {
namespace {

class PlayingTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        gGame.NewGame();
        // Keep spawn ticks out of the way unless a test asks for one.
        frameCount = 2;
    }

    void Frame(bool left, bool right = false) {
        gInput.leftButton = left ? 0x80 : 0;
        gInput.rightButton = right ? 0x80 : 0;
        display.blits.clear();
        gGame.PlayingFrame();
    }

    void Spawn() {
        auto* v = new VillainFigure;
        v->x = 300;
        v->y = 200;
    }

    std::vector<LONG> FlashTops() const {
        std::vector<LONG> tops;
        for (const BlitCall& call : display.From(&sprites)) {
            if (call.src.left == 12) tops.push_back(call.src.top);
        }
        return tops;
    }
    std::vector<LONG> Cartridges() const {
        std::vector<LONG> xs;
        for (const BlitCall& call : display.From(&sprites)) {
            if (call.src.left == 30 && call.src.top == 48 && call.src.right == 46 &&
                call.src.bottom == 88 && call.y == 10 && call.flags == 1) {
                xs.push_back(call.x);
            }
        }
        return xs;
    }
};

TEST_F(PlayingTest, BothButtonsReloadAndDoNotFire) {
    gGame.roundsLeft = 2;
    Frame(true, true);
    EXPECT_EQ(gGame.roundsLeft, 7);
    EXPECT_EQ(gGame.shotsFired, 0);
    EXPECT_EQ(gGame.shotAnim, 0);
    EXPECT_EQ(SoundLog(), (std::vector<std::string>{"reload:stop", "reload:play"}));
    Frame(true, true);
    EXPECT_EQ(SoundCount("reload:play"), 1);
    EXPECT_EQ(gGame.shotsFired, 0);
}

TEST_F(PlayingTest, HeldButtonFiresEverySevenFramesAndClicksEveryTwelve) {
    std::vector<int> shots;
    for (int frame = 1; frame <= 15; ++frame) {
        const int32_t fired = gGame.shotsFired;
        Frame(true);
        if (gGame.shotsFired != fired) shots.push_back(frame);
    }
    EXPECT_EQ(shots, (std::vector<int>{1, 8, 15}));

    gGame.roundsLeft = 0;
    gGame.shotAnim = 0;
    gGame.buttonLatch = 0;
    SoundLog().clear();
    std::vector<int> clicks;
    for (int frame = 1; frame <= 25; ++frame) {
        const int before = SoundCount("click:play");
        Frame(true);
        if (SoundCount("click:play") != before) clicks.push_back(frame);
    }
    EXPECT_EQ(clicks, (std::vector<int>{1, 13, 25}));
    EXPECT_EQ(gGame.shotsFired, 3);
}

TEST_F(PlayingTest, QuickReleaseAndClickFiresAtOnce) {
    Frame(true);
    EXPECT_EQ(gGame.shotAnim, 6);
    Frame(false);
    EXPECT_EQ(gGame.buttonLatch, 0);
    Frame(true);
    EXPECT_EQ(gGame.shotsFired, 2);
    EXPECT_EQ(gGame.shotAnim, 6);
    EXPECT_EQ(SoundCount("shot:play"), 2);
}

TEST_F(PlayingTest, SevenRoundsSixSoundsThenTheHintThenClicks) {
    gInput.cursorX = 100;
    gInput.cursorY = 300;
    for (int round = 1; round <= 7; ++round) {
        Frame(true);
        if (round < 7) {
            for (int frame = 0; frame < 6; ++frame) Frame(true);
        }
    }
    EXPECT_EQ(gGame.shotsFired, 7);
    EXPECT_EQ(gGame.roundsLeft, 0);
    EXPECT_EQ(SoundCount("shot:play"), 6);
    EXPECT_EQ(SoundCount("shot:stop"), 6);
    EXPECT_TRUE(Shows("Reload! (right mouse button)", 65, 275));
    EXPECT_TRUE(FlashTops().empty());

    for (int frame = 0; frame < 6; ++frame) Frame(true);
    EXPECT_TRUE(Shows("Reload! (right mouse button)", 65, 275));
    Frame(true);
    EXPECT_EQ(SoundCount("click:play"), 1);
    EXPECT_EQ(gGame.shotsFired, 7);
    EXPECT_EQ(gGame.shotAnim, 11);
}

TEST_F(PlayingTest, MuzzleFlashClimbsAndFalls) {
    std::vector<LONG> tops;
    gInput.cursorX = 100;
    gInput.cursorY = 120;
    Frame(true);
    for (int frame = 0; frame < 8; ++frame) {
        const auto t = FlashTops();
        tops.insert(tops.end(), t.begin(), t.end());
        if (frame == 0) {
            const auto flash = display.From(&sprites);
            bool placed = false;
            for (const BlitCall& call : flash) placed |= call.src.left == 12 && call.x == 120 && call.y == 144;
            EXPECT_TRUE(placed);
        }
        Frame(false);
    }
    EXPECT_EQ(tops, (std::vector<LONG>{55, 63, 71, 79, 71, 63, 55}));
}

TEST_F(PlayingTest, CartridgesShowOneFewerThanTheRoundsLeft) {
    Frame(false);
    EXPECT_EQ(Cartridges(), (std::vector<LONG>{260, 280, 300, 320, 340, 360}));
    gGame.roundsLeft = 1;
    Frame(false);
    EXPECT_TRUE(Cartridges().empty());
    gGame.roundsLeft = 0;
    Frame(false);
    EXPECT_TRUE(Cartridges().empty());
}

TEST_F(PlayingTest, ScoreAndPresidentMarks) {
    gGame.score = 1234;
    gGame.presidentHits = 2;
    Frame(false);
    EXPECT_TRUE(Shows("Score:", 10, 6));
    EXPECT_TRUE(Shows("1234", 140, 6));
    EXPECT_TRUE(Shows("X", 10, 54));
    EXPECT_TRUE(Shows("X", 40, 54));
    EXPECT_FALSE(Shows("X", 70, 54));
}

TEST_F(PlayingTest, FrameDrawsBackToFront) {
    Spawn();
    Frame(false);
    ASSERT_GE(display.blits.size(), 3u);
    EXPECT_EQ(display.blits.front().source, &desert);
    EXPECT_EQ(display.blits.back().source, &sprites);
    EXPECT_EQ(display.blits.back().src.right, 48);
    EXPECT_EQ(display.blits.back().x, gInput.cursorX);
    EXPECT_EQ(display.blits.back().flags, 1u);
    EXPECT_EQ(display.blits[1].source, &villain);
    EXPECT_EQ(backBuffer.fills, 1);
}

TEST_F(PlayingTest, TheGameEndsInFrame3001) {
    gGame.playFrames = 2999;
    Spawn();
    Frame(false);
    EXPECT_EQ(gGame.state, Playing);
    EXPECT_EQ(gActors.count, 1);
    // A press in the last frame is swallowed by the latch and stays so.
    Frame(true);
    EXPECT_EQ(gGame.state, GameOver);
    EXPECT_EQ(gGame.buttonLatch, 1);
    EXPECT_EQ(gGame.shotsFired, 0);
    EXPECT_EQ(gActors.count, 0);
    EXPECT_TRUE(display.From(&villain).empty());
    EXPECT_FALSE(display.From(&desert).empty());  // the frame goes on
}

// A spawn tick falls every 20 frames; find seeds whose roll makes a
// president (0) and a villain (7..9).
unsigned SeedRolling(bool wantPresident) {
    for (unsigned seed = 1;; ++seed) {
        srand(seed);
        const int roll = rand() % 10;
        if (wantPresident ? roll < 1 : roll > 6) return seed;
    }
}

TEST_F(PlayingTest, SpawnTicksEveryTwentyFrames) {
    srand(SeedRolling(false));
    frameCount = 21;
    Frame(false);
    ASSERT_EQ(gActors.count, 1);
    EXPECT_NE(dynamic_cast<VillainFigure*>(gActors.head), nullptr);

    srand(SeedRolling(true));
    frameCount = 41;
    Frame(false);
    ASSERT_EQ(gActors.count, 2);
    EXPECT_NE(dynamic_cast<PresidentFigure*>(gActors.head), nullptr);

    srand(SeedRolling(true));
    frameCount = 42;
    Frame(false);
    EXPECT_EQ(gActors.count, 2);
}

TEST_F(PlayingTest, FigureSpawnedAsTheGameEndsLivesOnTheGameOverScreen) {
    gGame.playFrames = 3000;
    srand(SeedRolling(false));
    frameCount = 61;
    Frame(false);
    EXPECT_EQ(gGame.state, GameOver);
    ASSERT_EQ(gActors.count, 1);

    display.blits.clear();
    gGame.GameOverFrame();
    EXPECT_EQ(display.From(&villain).size(), 1u);
    EXPECT_EQ(gActors.count, 1);
}

TEST_F(PlayingTest, NewGameClearsAndResetsButKeepsTheAnimationAndLatch) {
    gGame.state = Intro;
    gGame.score = 50;
    gGame.hits = 3;
    gGame.presidentHits = 2;
    gGame.shotsFired = 9;
    gGame.playFrames = 100;
    gGame.roundsLeft = 1;
    gGame.shotAnim = 4;
    gGame.buttonLatch = 1;
    Spawn();
    gGame.NewGame();
    EXPECT_EQ(gGame.state, Playing);
    EXPECT_EQ(gActors.count, 0);
    EXPECT_EQ(gGame.roundsLeft, 7);
    EXPECT_EQ(gGame.score + gGame.hits + gGame.presidentHits + gGame.shotsFired + gGame.playFrames, 0);
    EXPECT_EQ(gGame.shotAnim, 4);
    EXPECT_EQ(gGame.buttonLatch, 1);
    EXPECT_TRUE(SoundLog().empty());  // the intro keeps looping
}

class GameOverTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        gGame.state = GameOver;
        gGame.roundsLeft = 3;
        gGame.buttonLatch = 1;
    }
};

TEST_F(GameOverTest, StatisticsAndVerdict) {
    gGame.shotsFired = 1;
    gGame.hits = 2;
    gGame.presidentHits = 3;
    gGame.GameOverFrame();
    EXPECT_TRUE(Shows("Shots Fired:", 270, 250));
    EXPECT_TRUE(Shows("Hits:", 270, 285));
    EXPECT_TRUE(Shows("Misses:", 270, 320));
    EXPECT_TRUE(Shows("1", 480, 250));
    EXPECT_TRUE(Shows("2", 480, 285));
    EXPECT_TRUE(Shows("-1", 480, 320));
    EXPECT_TRUE(Shows("Idiot! You shot the president!", 130, 182));
    EXPECT_TRUE(Shows("Press mouse button to play again", 130, 402));
    EXPECT_FALSE(ShowsText("Time's up!"));
    for (LONG x : {10, 40, 70}) EXPECT_TRUE(Shows("X", x, 54));
    EXPECT_EQ(gGame.state, GameOver);
}

TEST_F(GameOverTest, HeldButtonWaitsForReleaseThenStartsAGameThatFiresAtOnce) {
    gGame.score = 77;
    gInput.leftButton = 0x80;
    gGame.GameOverFrame();
    EXPECT_EQ(gGame.state, GameOver);
    gInput.leftButton = 0;
    gGame.GameOverFrame();
    EXPECT_EQ(gGame.buttonLatch, 0);
    gInput.leftButton = 0x80;
    display.blits.clear();
    gGame.GameOverFrame();
    EXPECT_EQ(gGame.state, Playing);
    EXPECT_EQ(gGame.buttonLatch, 0);
    EXPECT_TRUE(Shows("Time's up!", 320, 182));
    EXPECT_TRUE(Shows("0", 140, 6));

    gGame.PlayingFrame();
    EXPECT_EQ(gGame.shotsFired, 1);
    EXPECT_EQ(SoundCount("shot:play"), 1);
}

class IntroTest : public GameTest {};

TEST_F(IntroTest, RightButtonAloneStaysOnTheIntro) {
    gInput.rightButton = 0x80;
    gGame.IntroFrame();
    EXPECT_EQ(gGame.state, Intro);
    ASSERT_FALSE(display.blits.empty());
    const BlitCall& picture = display.blits.front();
    EXPECT_EQ(picture.source, &introPic);
    EXPECT_EQ(picture.src.right, 800);
    EXPECT_EQ(picture.src.bottom, 600);
    EXPECT_EQ(picture.flags, 0u);
    // The band: one-pixel columns of the picture's rows 392..490 near y = 400.
    const auto columns = display.From(&introPic);
    EXPECT_GT(columns.size(), 1u);
    EXPECT_EQ(columns[1].src.right - columns[1].src.left, 1);
}

}  // namespace
}  // namespace gametest
