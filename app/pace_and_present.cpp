// The end of every frame: at most one frame per 10 ms by the tick, measured
// as an unsigned difference so the counter's wrap does no harm.
#include "app/app.h"
#include "display/display.h"

namespace {
constexpr uint32_t kMinFrameMs = 10;
}

void PaceAndPresent() {
    uint32_t now = GetTickCount();
    while (now - lastFrameTick < kMinFrameMs) now = GetTickCount();
    lastFrameTick = now;
    frameCount = frameCount + 1;
    if (ActiveDisplay != nullptr) ActiveDisplay->Present();
}
