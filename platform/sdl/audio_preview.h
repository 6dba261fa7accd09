// What the settings menu asks of the sound: the game's held while it is
// open, and a short tone at the level being chosen.
#pragma once

namespace sdlhost {

void HoldGameSound(bool held);
void PlayPreviewTone(int levelPercent);

}  // namespace sdlhost
