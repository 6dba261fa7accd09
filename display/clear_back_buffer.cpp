// ClearBackBuffer: a device colour fill at the start of every frame.
#include "display/display.h"

HRESULT ClearBackBuffer() {
    if (BackBuffer == nullptr) return DDERR_GENERIC;
    return RetryLostSurface([] {
        DDBLTFX fx{};
        fx.dwSize = sizeof(fx);
        fx.dwFillColor = 0;
        return BackBuffer->Blt(NULL, NULL, NULL, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
    });
}
