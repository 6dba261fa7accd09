// What the browser host's parts share. Everything runs on the page's one
// thread; the game gives the browser a turn only through GiveTurn.
#pragma once

#include <cstdint>

namespace webhost {

constexpr int kFrameWidth = 800;
constexpr int kFrameHeight = 600;

// Return to the browser for delayMs (0: just its queued tasks), then settle
// the sound before the game goes on.
void GiveTurn(int delayMs);
// A turn when none was given for a while, so a game that neither presents
// nor waits never freezes the tab.
void GiveOverdueTurn();
// A frame was shown; the pacing wait that follows it is timed from the
// tick the game read last, the one it paced that frame by.
void FramePresented();

// The settings dialog, the game paused until the player closes it.
void ShowSettings();

// Stop the voices that ran out in the sound output, as the game's side
// would have had it mixed them itself.
void SettleSound();

}  // namespace webhost
