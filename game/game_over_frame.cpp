#include "app/static_objects.h"
#include "display/display.h"
#include "game/actor_list.h"
#include "game/game.h"
#include "game/screens.h"
#include "input/input_devices.h"
#include "text/bitmap_font.h"

void Game::GameOverFrame() {
    ClearBackBuffer();
    const bool pressed = gInput.leftButton || gInput.rightButton;
    if (!pressed) buttonLatch = 0;
    // The latch stays clear: the held button acts in the first playing frame.
    if (buttonLatch == 0 && pressed) NewGame();

    DrawBackdrop();
    DrawScore();
    DrawRoundsLeft();
    gActors.UpdateAll();
    DrawStatistics();

    if (presidentHits < kPresidentHitsToLose) {
        gFont.DrawText(320, 182, "Time's up!", kLargeFont, 0);
    } else {
        gFont.DrawText(130, 182, "Idiot! You shot the president!", kLargeFont, 0);
    }
    gFont.DrawText(130, 402, "Press mouse button to play again", kLargeFont, 0);
}
