// Bringing bitmaps (resources, or files as a fallback) into surfaces.
#pragma once

#include <ddraw.h>

LPDIRECTDRAWSURFACE DDLoadBitmap(LPDIRECTDRAW lpDD, LPCSTR name, int dx, int dy);
HRESULT DDReloadBitmap(LPDIRECTDRAWSURFACE surface, LPCSTR name);
HRESULT DDCopyBitmap(LPDIRECTDRAWSURFACE surface, HBITMAP bitmap, int x, int y, int dx, int dy);
DWORD DDColorMatch(LPDIRECTDRAWSURFACE surface, COLORREF colour);
HRESULT DDSetColorKey(LPDIRECTDRAWSURFACE surface, COLORREF colour);
