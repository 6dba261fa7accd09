// IDirectDrawSurface::Flip: the finished back buffer goes to the host.
#include <utility>

#include "platform/ddraw/objects.h"
#include "platform/host.h"

namespace platform::draw {

HRESULT Surface::Flip(LPDIRECTDRAWSURFACE lpDDSurfaceTargetOverride, DWORD) {
    if (backBuffer == nullptr) return DDERR_GENERIC;
    if (lpDDSurfaceTargetOverride != nullptr && lpDDSurfaceTargetOverride != backBuffer)
        return DDERR_INVALIDPARAMS;
    if (HRESULT hr = Usable(); hr != DD_OK) return hr;
    if (HRESULT hr = backBuffer->Usable(); hr != DD_OK) return hr;
    if (TakeStillDrawing()) return DDERR_WASSTILLDRAWING;
    // Swap the memory, not the interfaces: BackBuffer keeps addressing the
    // buffer to draw into.
    std::swap(buffer, backBuffer->buffer);
    presented = true;
    host::PresentFrame(buffer.memory.get(), buffer.pitch, width, height, is555);
    return DD_OK;
}

}  // namespace platform::draw
