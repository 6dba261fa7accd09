// Display::ReleaseAll: every slot in a fixed order, then the device.
#include "display/display.h"

void Display::ReleaseAll() {
    StoreSurface(PrimarySurface, nullptr);
    // The back buffer belongs to the primary's flip chain and went with it.
    BackBuffer = nullptr;
    StoreSurface(lpDDSSprites, nullptr);
    StoreSurface(lpDDSPresident, nullptr);
    StoreSurface(lpDDSVillain, nullptr);
    StoreSurface(lpDDSFonts, nullptr);
    StoreSurface(lpDDSIntroPic, nullptr);
    StoreSurface(lpDDSDesert, nullptr);
    if (lpDD != nullptr) {
        lpDD->SetCooperativeLevel(hWnd, DDSCL_NORMAL);
        lpDD->Release();
        lpDD = nullptr;
    }
}
