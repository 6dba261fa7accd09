// Clipping against the 800 x 600 screen and the clipped blit.
#pragma once

#include <ddraw.h>

constexpr LONG kScreenWidth = 800;
constexpr LONG kScreenHeight = 600;

// Cut srcRect and (x, y) to what lies on screen; 0 (nothing changed) when
// nothing does.
int ClipToScreen(RECT& srcRect, LONG& x, LONG& y);
// Clamp a rectangle to the screen; 0 (unchanged) when wholly off it.
int ClampRectToScreen(RECT& rect);
// Clip, then Blit through the active display.
HRESULT ClippedBlit(LONG x, LONG y, RECT srcRect, LPDIRECTDRAWSURFACE source,
                    LPDIRECTDRAWSURFACE destination, DWORD flags);
