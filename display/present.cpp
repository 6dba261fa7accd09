// Display::Present: flip the finished back buffer to the screen.
#include "display/display.h"

HRESULT Display::Present() {
    if (PrimarySurface == nullptr) return DDERR_GENERIC;
    return RetryLostSurface([] { return PrimarySurface->Flip(NULL, 0); });
}
