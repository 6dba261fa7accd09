#include "app/app.h"
#include "app/static_objects.h"
#include "display/display.h"
#include "game/actor_list.h"
#include "game/figures.h"
#include "game/game.h"
#include "game/screens.h"
#include "input/input_devices.h"
#include "sound/sound_bank.h"
#include "text/bitmap_font.h"

#include <cstdlib>
#include <new>

namespace {

constexpr int32_t kShotFrames = 7;
constexpr int32_t kClickFrames = 12;
constexpr uint32_t kSpawnInterval = 20;
constexpr uint32_t kSpawnTick = 1;
constexpr int kSpawnRoll = 10;
constexpr int kPresidentBelow = 1;  // rolls 0: a president
constexpr int kVillainAbove = 6;    // rolls 7..9: a villain
constexpr LONG kHintOffsetX = -35;
constexpr LONG kHintOffsetY = -25;

void TrySpawn() {
    const int roll = rand() % kSpawnRoll;
    // The figures link themselves into the list; one that cannot get its
    // memory is simply not there.
    if (roll < kPresidentBelow) new (std::nothrow) PresidentFigure;
    if (roll > kVillainAbove) new (std::nothrow) VillainFigure;
}

// The flash's frame climbs the sprite column and comes back down.
LONG MuzzleFlashTop(int32_t frame) { return frame > 3 ? 103 - 8 * frame : 55 + 8 * frame; }

}  // namespace

void Game::PlayingFrame() {
    playFrames += 1;
    if (playFrames > kFramesPerGame) {
        buttonLatch = 1;
        gActors.Clear();
        state = GameOver;
    }

    ClearBackBuffer();
    DrawBackdrop();

    // Reload is looked at first, so both buttons together reload only.
    if (gInput.rightButton && buttonLatch == 0) {
        buttonLatch = 1;
        roundsLeft = kRoundsPerReload;
        RestartSound(gSoundBank.reload);
    }
    if (gInput.leftButton && buttonLatch == 0) {
        buttonLatch = 1;
        if (roundsLeft >= 1) {
            roundsLeft -= 1;
            shotsFired += 1;
            // The round that empties the gun makes no sound.
            if (roundsLeft > 0) RestartSound(gSoundBank.shot);
            shotAnim = kShotFrames;
        } else {
            RestartSound(gSoundBank.click);
            shotAnim = kClickFrames;
        }
    }

    gActors.UpdateAll();

    if (!gInput.leftButton && !gInput.rightButton) buttonLatch = 0;

    if (roundsLeft == 0 && shotAnim != 0) {
        gFont.DrawText(gInput.cursorX + kHintOffsetX, gInput.cursorY + kHintOffsetY,
                       "Reload! (right mouse button)", kSmallFont, 0);
    }

    if (frameCount % kSpawnInterval == kSpawnTick) TrySpawn();

    if (shotAnim != 0) {
        shotAnim -= 1;
        // The end of the animation frees the latch, so a held button fires again.
        if (shotAnim == 0) buttonLatch = 0;
        if (roundsLeft != 0) DrawMuzzleFlash(MuzzleFlashTop(shotAnim));
    }

    DrawScore();
    DrawRoundsLeft();
    DrawCrosshair();
}
