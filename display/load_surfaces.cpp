// Display::LoadSurfaces: the six pictures into their slots, with their keys.
#include "display/bitmap_loader.h"
#include "display/display.h"
#include "display/pictures.h"

const Picture kPictures[kPictureCount] = {
    {&lpDDSSprites, "SPRITES"}, {&lpDDSIntroPic, "INTROPIC"}, {&lpDDSPresident, "PRESIDENT"},
    {&lpDDSVillain, "VILLAIN"}, {&lpDDSDesert, "DESERT"},     {&lpDDSFonts, "FONTS"},
};

namespace {

LPDIRECTDRAWSURFACE* const kKeyedSlots[] = {&lpDDSSprites, &lpDDSPresident, &lpDDSVillain, &lpDDSDesert,
                                            &lpDDSFonts};

}  // namespace

void Display::LoadSurfaces() {
    for (const Picture& p : kPictures) {
        // A picture that fails to load keeps the surface the slot already
        // holds, so a later reload cannot take a working picture away.
        LPDIRECTDRAWSURFACE surface = DDLoadBitmap(lpDD, p.name, 0, 0);
        if (surface != nullptr) StoreSurface(*p.slot, surface);
    }
    for (LPDIRECTDRAWSURFACE* slot : kKeyedSlots)
        if (*slot != nullptr) DDSetColorKey(*slot, RGB(0, 0, 0));
}
