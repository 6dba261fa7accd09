#include "app/app.h"
#include "app/static_objects.h"
#include "display/display.h"
#include "effects/wave_blit.h"
#include "game/game.h"
#include "game/screens.h"
#include "input/input_devices.h"
#include "sound/sound_bank.h"

namespace {

// The rippling band: the title picture's rows 392..490, redrawn at y = 400.
constexpr RECT kBandSource{184, 392, 604, 490};
constexpr LONG kBandDestX = 184;
constexpr LONG kBandDestY = 400;
constexpr LONG kBandAmplitude = 10;
constexpr LONG kBandDivisor = 100;

}  // namespace

void StartIntroSound() { SoundSample::Play(gSoundBank.intro, DSBPLAY_LOOPING); }

void Game::IntroFrame() {
    ClearBackBuffer();
    DrawIntroPicture();
    WaveBlit(lpDDSIntroPic, kBandSource.left, kBandSource.top, kBandSource.right, kBandSource.bottom,
             kBandDestX, kBandDestY, kBandAmplitude, kBandDivisor, kWaveColumns);
    if (anyKeyDown || gInput.leftButton) {
        gDisplay.LoadSurfaces();
        NewGame();
        SoundSample::Stop(gSoundBank.intro);
        // The press that left the intro must not also fire.
        buttonLatch = 1;
    }
}
