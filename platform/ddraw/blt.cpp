// IDirectDrawSurface::Blt and BltFast: validate, then hand the rectangles to
// the pixel loops.
#include <vector>

#include "platform/ddraw/objects.h"
#include "platform/ddraw/pixel_loops.h"

namespace platform::draw {
namespace {

// Blitting a surface onto itself goes through a copy of the source block.
struct SourceBlock {
    const uint16_t* pixels;
    int32_t pitch;
    std::vector<uint16_t> copy;
};

void TakeSource(Surface& src, const RECT& r, bool sameSurface, SourceBlock& block) {
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    if (!sameSurface) {
        block.pixels = src.Pixel(r.left, r.top);
        block.pitch = src.buffer.pitch;
        return;
    }
    block.copy.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    block.pitch = w * 2;
    pixels::Copy(block.copy.data(), block.pitch, src.Pixel(r.left, r.top), src.buffer.pitch, w, h);
    block.pixels = block.copy.data();
}

}  // namespace

HRESULT Surface::BltFast(DWORD dwX, DWORD dwY, LPDIRECTDRAWSURFACE lpDDSrcSurface, LPRECT lpSrcRect,
                         DWORD dwTrans) {
    if (!IsLive(lpDDSrcSurface)) return DDERR_INVALIDPARAMS;
    auto* src = static_cast<Surface*>(lpDDSrcSurface);
    if (HRESULT hr = Usable(); hr != DD_OK) return hr;
    if (HRESULT hr = src->Usable(); hr != DD_OK) return hr;
    if (TakeStillDrawing()) return DDERR_WASSTILLDRAWING;

    const RECT r = lpSrcRect ? *lpSrcRect : RECT{0, 0, src->width, src->height};
    if (!RectInside(r, src->width, src->height)) return DDERR_INVALIDRECT;
    const int64_t w = r.right - r.left;
    const int64_t h = r.bottom - r.top;
    if (w == 0 || h == 0) return DD_OK;
    if (int64_t{dwX} + w > width || int64_t{dwY} + h > height) return DDERR_INVALIDRECT;

    SourceBlock block;
    TakeSource(*src, r, src == this, block);
    uint16_t* dst = Pixel(static_cast<int>(dwX), static_cast<int>(dwY));
    if ((dwTrans & DDBLTFAST_SRCCOLORKEY) && src->hasKey)
        pixels::CopyKeyed(dst, buffer.pitch, block.pixels, block.pitch, static_cast<int>(w),
                          static_cast<int>(h), src->key);
    else
        pixels::Copy(dst, buffer.pitch, block.pixels, block.pitch, static_cast<int>(w), static_cast<int>(h));
    return DD_OK;
}

HRESULT Surface::Blt(LPRECT lpDestRect, LPDIRECTDRAWSURFACE lpDDSrcSurface, LPRECT lpSrcRect, DWORD dwFlags,
                     LPDDBLTFX lpDDBltFx) {
    if (lpDDBltFx != nullptr && lpDDBltFx->dwSize != sizeof(DDBLTFX)) return DDERR_INVALIDPARAMS;
    const bool fill = (dwFlags & DDBLT_COLORFILL) != 0;
    if (fill && lpDDBltFx == nullptr) return DDERR_INVALIDPARAMS;
    if ((dwFlags & DDBLT_DDFX) && lpDDBltFx == nullptr) return DDERR_INVALIDPARAMS;
    Surface* src = nullptr;
    if (!fill) {
        if (!IsLive(lpDDSrcSurface)) return DDERR_INVALIDPARAMS;
        src = static_cast<Surface*>(lpDDSrcSurface);
    }
    if (HRESULT hr = Usable(); hr != DD_OK) return hr;
    if (src != nullptr)
        if (HRESULT hr = src->Usable(); hr != DD_OK) return hr;
    if ((dwFlags & DDBLT_WAIT) == 0 && TakeStillDrawing()) return DDERR_WASSTILLDRAWING;

    // No clipper: the destination must lie wholly inside and not be empty.
    const RECT d = lpDestRect ? *lpDestRect : RECT{0, 0, width, height};
    if (!RectInside(d, width, height) || d.left == d.right || d.top == d.bottom) return DDERR_INVALIDRECT;
    const int dw = d.right - d.left;
    const int dh = d.bottom - d.top;

    if (fill) {
        pixels::Fill(Pixel(d.left, d.top), buffer.pitch, dw, dh, static_cast<uint16_t>(lpDDBltFx->dwFillColor));
        return DD_OK;
    }
    const RECT r = lpSrcRect ? *lpSrcRect : RECT{0, 0, src->width, src->height};
    if (!RectInside(r, src->width, src->height) || r.left == r.right || r.top == r.bottom)
        return DDERR_INVALIDRECT;
    const bool mirror = (dwFlags & DDBLT_DDFX) && (lpDDBltFx->dwDDFX & DDBLTFX_MIRRORUPDOWN);
    SourceBlock block;
    TakeSource(*src, r, src == this, block);
    pixels::Stretch(Pixel(d.left, d.top), buffer.pitch, dw, dh, block.pixels, block.pitch, r.right - r.left,
                    r.bottom - r.top, mirror);
    return DD_OK;
}

}  // namespace platform::draw
