// IDirectDrawSurface: lifetime, the flip chain, descriptions, keys, restore.
#include "platform/ddraw/objects.h"
#include "platform/faults.h"
#include "platform/gdi32/objects.h"

namespace platform::draw {
namespace {

constexpr uint16_t kRestoredGarbage = 0xF81F;  // restored memory is undefined; make it visible

int32_t PitchFor(int width) {
    // Rows 16-byte aligned: a multiple of 4 as the game relies on, and kind to
    // vector loads.
    return static_cast<int32_t>((static_cast<int64_t>(width) * 2 + 15) & ~int64_t{15});
}

}  // namespace

Surface::Surface(int w, int h, bool layout555, DWORD surfaceCaps)
    : width(w), height(h), is555(layout555), caps(surfaceCaps) {
    buffer.pitch = PitchFor(w);
    const size_t count = static_cast<size_t>(buffer.pitch / 2) * static_cast<size_t>(h);
    buffer.memory.reset(new uint16_t[count]());
    Register(this);
}

Surface::~Surface() {
    if (dc != nullptr) gdi::DeleteSurfaceDC(dc);
    Unregister(this);
    if (backBuffer != nullptr) {
        backBuffer->primary = nullptr;
        delete backBuffer;
    }
}

ULONG Surface::Release() {
    if (refs > 0) --refs;
    if (refs == 0 && primary == nullptr) {
        delete this;
        return 0;
    }
    return refs;
}

HRESULT Surface::Usable() const {
    if (lost) return DDERR_SURFACELOST;
    if (locked || dc != nullptr) return DDERR_SURFACEBUSY;
    return DD_OK;
}

HRESULT Surface::GetAttachedSurface(LPDDSCAPS lpDDSCaps, LPDIRECTDRAWSURFACE* lplpDDAttachedSurface) {
    if (lpDDSCaps == nullptr || lplpDDAttachedSurface == nullptr) return DDERR_INVALIDPARAMS;
    *lplpDDAttachedSurface = nullptr;
    if (faults::Take("GetAttachedSurface")) return DDERR_NOTFOUND;
    if ((lpDDSCaps->dwCaps & DDSCAPS_BACKBUFFER) == 0 || backBuffer == nullptr) return DDERR_NOTFOUND;
    backBuffer->AddRef();
    *lplpDDAttachedSurface = backBuffer;
    return DD_OK;
}

HRESULT Surface::GetPixelFormat(LPDDPIXELFORMAT lpDDPixelFormat) {
    if (lpDDPixelFormat == nullptr || lpDDPixelFormat->dwSize != sizeof(DDPIXELFORMAT))
        return DDERR_INVALIDPARAMS;
    if (faults::Take("GetPixelFormat")) return DDERR_GENERIC;
    DescribeFormat(*lpDDPixelFormat, is555);
    return DD_OK;
}

HRESULT Surface::GetSurfaceDesc(LPDDSURFACEDESC desc) {
    if (desc == nullptr || desc->dwSize != sizeof(DDSURFACEDESC)) return DDERR_INVALIDPARAMS;
    *desc = DDSURFACEDESC{};
    desc->dwSize = sizeof(DDSURFACEDESC);
    desc->dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwWidth = static_cast<DWORD>(width);
    desc->dwHeight = static_cast<DWORD>(height);
    desc->lPitch = buffer.pitch;
    desc->dwBackBufferCount = backBuffer ? 1 : 0;
    DescribeFormat(desc->ddpfPixelFormat, is555);
    desc->ddsCaps.dwCaps = caps;
    if (hasKey) desc->ddckCKSrcBlt = DDCOLORKEY{key, key};
    return DD_OK;
}

HRESULT Surface::Restore() {
    if (!lost) return DD_OK;
    DrawState& s = State();
    if (primary != nullptr) return DDERR_IMPLICITLYCREATED;
    if (backBuffer != nullptr && s.refusedRestores > 0) {
        --s.refusedRestores;
        return DDERR_WRONGMODE;
    }
    if (!s.foreground) return DDERR_WRONGMODE;
    auto wipe = [](Surface& surface) {
        surface.lost = false;
        const size_t count = static_cast<size_t>(surface.buffer.pitch / 2) * static_cast<size_t>(surface.height);
        uint16_t* p = surface.buffer.memory.get();
        for (size_t i = 0; i < count; ++i) p[i] = kRestoredGarbage;
    };
    wipe(*this);
    if (backBuffer != nullptr) wipe(*backBuffer);
    return DD_OK;
}

HRESULT Surface::SetColorKey(DWORD dwFlags, LPDDCOLORKEY lpDDColorKey) {
    if (dwFlags != DDCKEY_SRCBLT) return DDERR_INVALIDPARAMS;
    if (lpDDColorKey == nullptr) {
        hasKey = false;
        return DD_OK;
    }
    hasKey = true;
    key = lpDDColorKey->dwColorSpaceLowValue;
    return DD_OK;
}

}  // namespace platform::draw
