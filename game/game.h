// The session: which screen shows, the score, the gun and the button latch.
#pragma once

#include <cstdint>

enum GameState : int32_t { Playing = 0, Intro = 1, GameOver = 2 };

constexpr int32_t kRoundsPerReload = 7;
constexpr int32_t kFramesPerGame = 3000;
constexpr int32_t kPresidentHitsToLose = 3;

class Game {
public:
    Game();

    void Frame();
    void NewGame();
    void ResetCounters();
    void IntroFrame();
    void PlayingFrame();
    void GameOverFrame();
    void DrawScore();
    void DrawRoundsLeft();
    void DrawStatistics();

    int32_t state;
    int32_t score;
    int32_t shotAnim;
    int32_t presidentHits;
    int32_t shotsFired;
    int32_t hits;
    int32_t playFrames;
    int32_t roundsLeft;
    int32_t buttonLatch;
};

void StartIntroSound();
