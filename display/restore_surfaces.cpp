// RestoreSurfaces: after a loss, re-acquire input, restore every surface and
// reload every picture.
#include "app/static_objects.h"
#include "display/bitmap_loader.h"
#include "display/display.h"
#include "display/pictures.h"
#include "input/input_devices.h"

namespace {

const Picture kReloadOrder[kPictureCount] = {
    {&lpDDSFonts, "FONTS"},     {&lpDDSSprites, "SPRITES"}, {&lpDDSPresident, "PRESIDENT"},
    {&lpDDSVillain, "VILLAIN"}, {&lpDDSDesert, "DESERT"},   {&lpDDSIntroPic, "INTROPIC"},
};

}  // namespace

HRESULT RestoreSurfaces() {
    gInput.Acquire();
    if (PrimarySurface == nullptr) return DDERR_GENERIC;
    HRESULT r = PrimarySurface->Restore();
    if (r != DD_OK) return r;
    if (BackBuffer != nullptr) BackBuffer->Restore();
    for (const Picture& p : kReloadOrder) {
        if (*p.slot == nullptr) {
            r = DDERR_GENERIC;
            continue;
        }
        r = (*p.slot)->Restore();
        if (r == DD_OK) DDReloadBitmap(*p.slot, p.name);
    }
    return r;
}
