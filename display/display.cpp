// The Display object, its global surface slots and StoreSurface.
#include "display/display.h"

LPDIRECTDRAWSURFACE PrimarySurface = nullptr;
LPDIRECTDRAWSURFACE BackBuffer = nullptr;
LPDIRECTDRAWSURFACE lpDDSFonts = nullptr;
LPDIRECTDRAWSURFACE lpDDSSprites = nullptr;
LPDIRECTDRAWSURFACE lpDDSDesert = nullptr;
LPDIRECTDRAWSURFACE lpDDSIntroPic = nullptr;
LPDIRECTDRAWSURFACE lpDDSVillain = nullptr;
LPDIRECTDRAWSURFACE lpDDSPresident = nullptr;

Display* ActiveDisplay = nullptr;

namespace {
constexpr uint8_t kBitsBeforeModeSwitch = 8;
}

Display::Display() : lpDD(nullptr), bitsPerPixel(kBitsBeforeModeSwitch), is555(0), hWnd(nullptr) {}

void StoreSurface(LPDIRECTDRAWSURFACE& slot, LPDIRECTDRAWSURFACE surface) {
    if (slot == surface) return;
    if (slot != nullptr) slot->Release();
    slot = surface;
}
