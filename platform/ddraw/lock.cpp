// IDirectDrawSurface::Lock/Unlock and GetDC/ReleaseDC: direct access to the
// pixels, through memory or through GDI.
#include "platform/ddraw/objects.h"
#include "platform/faults.h"
#include "platform/gdi32/objects.h"

namespace platform::draw {

HRESULT Surface::Lock(LPRECT lpDestRect, LPDDSURFACEDESC desc, DWORD, HANDLE) {
    if (desc == nullptr || desc->dwSize != sizeof(DDSURFACEDESC)) return DDERR_INVALIDPARAMS;
    if (lpDestRect != nullptr && !RectInside(*lpDestRect, width, height)) return DDERR_INVALIDRECT;
    if (HRESULT hr = Usable(); hr != DD_OK) return hr;
    if (faults::Take("Lock")) return DDERR_GENERIC;
    GetSurfaceDesc(desc);
    desc->dwFlags |= DDSD_LPSURFACE;
    desc->lpSurface = lpDestRect ? Pixel(lpDestRect->left, lpDestRect->top) : buffer.memory.get();
    locked = true;
    return DD_OK;
}

HRESULT Surface::Unlock(LPVOID) {
    if (!locked) return DDERR_NOTLOCKED;
    locked = false;
    return DD_OK;
}

HRESULT Surface::GetDC(HDC* lphDC) {
    if (lphDC == nullptr) return DDERR_INVALIDPARAMS;
    *lphDC = nullptr;
    if (HRESULT hr = Usable(); hr != DD_OK) return hr;
    dc = gdi::NewSurfaceDC(this);
    *lphDC = dc;
    return DD_OK;
}

HRESULT Surface::ReleaseDC(HDC hDC) {
    if (hDC == nullptr || hDC != dc) return DDERR_INVALIDPARAMS;
    gdi::DeleteSurfaceDC(dc);
    dc = nullptr;
    return DD_OK;
}

}  // namespace platform::draw
