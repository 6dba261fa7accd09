// RestartSound: a sound that must start over is stopped first, since a
// sample still sounding is not played again.
#include "sound/sound_bank.h"

void RestartSound(SoundSample* sample) {
    SoundSample::Stop(sample);
    SoundSample::Play(sample, 0);
}
