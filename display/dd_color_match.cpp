// DDColorMatch and DDSetColorKey: the surface's own pixel value for a colour,
// found by letting the device convert it at pixel (0, 0).
#include <cstring>

#include "display/bitmap_loader.h"

DWORD DDColorMatch(LPDIRECTDRAWSURFACE surface, COLORREF colour) {
    if (surface == nullptr) return CLR_INVALID;
    DWORD result = CLR_INVALID;
    COLORREF saved = CLR_INVALID;
    bool painted = false;
    HDC dc = nullptr;
    if (colour != CLR_INVALID && surface->GetDC(&dc) == DD_OK) {
        saved = GetPixel(dc, 0, 0);
        SetPixel(dc, 0, 0, colour);
        surface->ReleaseDC(dc);
        painted = true;
    }

    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    HRESULT hr;
    while ((hr = surface->Lock(NULL, &desc, 0, NULL)) == DDERR_WASSTILLDRAWING) {
    }
    if (hr == DD_OK) {
        DWORD word = 0;
        std::memcpy(&word, desc.lpSurface, sizeof(word));
        const DWORD bits = desc.ddpfPixelFormat.dwRGBBitCount;
        if (bits < 32) word &= (DWORD{1} << bits) - 1;
        result = word;
        surface->Unlock(NULL);
    }

    if (painted && surface->GetDC(&dc) == DD_OK) {
        SetPixel(dc, 0, 0, saved);
        surface->ReleaseDC(dc);
    }
    return result;
}

HRESULT DDSetColorKey(LPDIRECTDRAWSURFACE surface, COLORREF colour) {
    if (surface == nullptr) return DDERR_INVALIDPARAMS;
    DDCOLORKEY key{};
    key.dwColorSpaceLowValue = DDColorMatch(surface, colour);
    key.dwColorSpaceHighValue = key.dwColorSpaceLowValue;
    return surface->SetColorKey(DDCKEY_SRCBLT, &key);
}
