// Display::Blit and ClippedBlit: every picture's way into the back buffer.
#include "display/blit.h"

#include "display/display.h"

HRESULT Display::Blit(LONG x, LONG y, RECT srcRect, LPDIRECTDRAWSURFACE source, LPDIRECTDRAWSURFACE destination,
                      DWORD flags) {
    if (!ClipToScreen(srcRect, x, y)) return DD_OK;
    if (destination == nullptr) return DDERR_INVALIDPARAMS;
    return RetryLostSurface([&] {
        return destination->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), source, &srcRect, flags);
    });
}

HRESULT ClippedBlit(LONG x, LONG y, RECT srcRect, LPDIRECTDRAWSURFACE source, LPDIRECTDRAWSURFACE destination,
                    DWORD flags) {
    if (!ClipToScreen(srcRect, x, y)) return DD_OK;
    if (ActiveDisplay == nullptr) return DDERR_GENERIC;
    return ActiveDisplay->Blit(x, y, srcRect, source, destination, flags);
}
