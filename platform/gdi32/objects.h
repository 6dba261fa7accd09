// The GDI objects behind HBITMAP and HDC, shared by the files of
// platform/gdi32/, the bitmap loader and the DirectDraw surfaces. Not for the
// game.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/ddraw/dib_decode.h"

namespace platform::draw {
class Surface;
}

namespace platform::gdi {

struct Bitmap {
    DecodedImage image;  // 0x00RRGGBB, top row first
};

// A memory DC holds a selected bitmap; a surface DC draws into its surface.
struct DeviceContext {
    draw::Surface* surface = nullptr;
    Bitmap* selected = nullptr;
};

HBITMAP NewBitmap(DecodedImage&& image);
// The live object behind a handle, or null for anything else.
Bitmap* FindBitmap(HGDIOBJ handle);
DeviceContext* FindDC(HDC handle);

HDC NewSurfaceDC(draw::Surface* surface);
void DeleteSurfaceDC(HDC handle);

// 16-bit pixels and COLORREF (0x00BBGGRR): packing keeps each channel's top
// bits, unpacking replicates them, so a pixel survives the round trip.
uint16_t PackColour(uint32_t rgb, bool is555);  // rgb as 0x00RRGGBB
COLORREF UnpackPixel(uint16_t pixel, bool is555);

}  // namespace platform::gdi
