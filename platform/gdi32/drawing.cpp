// StretchBlt, GetPixel and SetPixel: GDI drawing into a surface's DC, with the
// colours converted to the surface's 16-bit layout.
#include "platform/ddraw/objects.h"
#include "platform/gdi32/objects.h"

using platform::draw::Surface;
using platform::gdi::Bitmap;
using platform::gdi::FindDC;

namespace {

Surface* SurfaceOf(HDC hdc) {
    const platform::gdi::DeviceContext* dc = FindDC(hdc);
    return dc ? dc->surface : nullptr;
}

bool OnSurface(const Surface& s, int x, int y) { return x >= 0 && y >= 0 && x < s.width && y < s.height; }

}  // namespace

extern "C" {

WINBOOL WINAPI StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc,
                          int ySrc, int wSrc, int hSrc, DWORD rop) {
    Surface* dst = SurfaceOf(hdcDest);
    const platform::gdi::DeviceContext* srcDc = FindDC(hdcSrc);
    if (dst == nullptr || srcDc == nullptr || srcDc->selected == nullptr || rop != SRCCOPY) return FALSE;
    if (wDest <= 0 || hDest <= 0 || wSrc <= 0 || hSrc <= 0) return FALSE;
    const Bitmap& bitmap = *srcDc->selected;
    const int bw = bitmap.image.width;
    const int bh = bitmap.image.height;
    const uint32_t* pixels = bitmap.image.pixels.data();
    for (int dy = 0; dy < hDest; ++dy) {
        const int ty = yDest + dy;
        const int64_t sy = ySrc + static_cast<int64_t>(dy) * hSrc / hDest;
        if (ty < 0 || ty >= dst->height || sy < 0 || sy >= bh) continue;
        const uint32_t* row = pixels + sy * bw;
        for (int dx = 0; dx < wDest; ++dx) {
            const int tx = xDest + dx;
            const int64_t sx = xSrc + (wDest == wSrc ? dx : static_cast<int64_t>(dx) * wSrc / wDest);
            if (tx < 0 || tx >= dst->width || sx < 0 || sx >= bw) continue;
            *dst->Pixel(tx, ty) = platform::gdi::PackColour(row[sx], dst->is555);
        }
    }
    return TRUE;
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    Surface* s = SurfaceOf(hdc);
    if (s == nullptr || !OnSurface(*s, x, y)) return CLR_INVALID;
    return platform::gdi::UnpackPixel(*s->Pixel(x, y), s->is555);
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
    Surface* s = SurfaceOf(hdc);
    if (s == nullptr || !OnSurface(*s, x, y) || color == CLR_INVALID) return CLR_INVALID;
    const uint32_t rgb = (static_cast<uint32_t>(GetRValue(color)) << 16) |
                         (static_cast<uint32_t>(GetGValue(color)) << 8) | GetBValue(color);
    const uint16_t pixel = platform::gdi::PackColour(rgb, s->is555);
    *s->Pixel(x, y) = pixel;
    return platform::gdi::UnpackPixel(pixel, s->is555);
}

}  // extern "C"
