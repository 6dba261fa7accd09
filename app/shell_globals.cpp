// The shell's counters, read by the game states, the intro and the pacing.
#include "app/app.h"

uint32_t frameCount = 0;
uint32_t lastFrameTick = 0;
int32_t anyKeyDown = 0;
