#include "app/app.h"
#include "app/static_objects.h"
#include "game/game.h"
#include "game/screens.h"
#include "input/input_devices.h"

void Game::Frame() {
    gInput.Poll();
    // Read once: a state change made below shows from the next frame.
    switch (state) {
    case Playing:
        PlayingFrame();
        break;
    case Intro:
        IntroFrame();
        break;
    case GameOver:
        GameOverFrame();
        break;
    }
    if (gInput.keyState[DIK_E] && gInput.keyState[DIK_P]) DrawDedication();
    PaceAndPresent();
}
