// DirectDrawCreate and IDirectDraw: the mode switch and surface creation.
#include "platform/ddraw/objects.h"
#include "platform/faults.h"

namespace platform::draw {
namespace {

constexpr DWORD kExclusiveFullScreen = DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN;
constexpr DWORD kFlipChain = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
constexpr DWORD kMaxSurfaceSide = 16384;
constexpr uint64_t kMaxSurfacePixels = uint64_t{1} << 24;

}  // namespace

Device::Device() = default;
Device::~Device() = default;

HRESULT Device::SetCooperativeLevel(HWND, DWORD dwFlags) {
    if (faults::Take("SetCooperativeLevel")) return DDERR_GENERIC;
    if (dwFlags == kExclusiveFullScreen) {
        exclusive = true;
        return DD_OK;
    }
    if (dwFlags == DDSCL_NORMAL) {
        // Leaving exclusive mode gives the desktop its own mode back.
        exclusive = false;
        modeSet = false;
        return DD_OK;
    }
    return DDERR_INVALIDPARAMS;
}

HRESULT Device::SetDisplayMode(DWORD dwWidth, DWORD dwHeight, DWORD dwBPP) {
    if (faults::Take("SetDisplayMode")) return DDERR_UNSUPPORTEDMODE;
    if (!exclusive) return DDERR_NOEXCLUSIVEMODE;
    if (dwWidth != kModeWidth || dwHeight != kModeHeight || dwBPP != kModeBits) return DDERR_UNSUPPORTEDMODE;
    modeSet = true;
    is555 = State().layout555;
    return DD_OK;
}

HRESULT Device::CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* lplpDDSurface, IUnknown* pUnkOuter) {
    if (lplpDDSurface == nullptr) return DDERR_INVALIDPARAMS;
    *lplpDDSurface = nullptr;
    if (desc == nullptr || desc->dwSize != sizeof(DDSURFACEDESC) || pUnkOuter != nullptr)
        return DDERR_INVALIDPARAMS;
    if (faults::Take("CreateSurface")) return DDERR_OUTOFMEMORY;
    if ((desc->dwFlags & DDSD_CAPS) == 0) return DDERR_INVALIDPARAMS;
    const DWORD caps = desc->ddsCaps.dwCaps;
    const bool layout555 = modeSet ? is555 : State().layout555;

    if (caps & DDSCAPS_PRIMARYSURFACE) {
        if (!exclusive || !modeSet) return DDERR_NOEXCLUSIVEMODE;
        const bool chain = (caps & kFlipChain) == kFlipChain;
        if (chain != ((desc->dwFlags & DDSD_BACKBUFFERCOUNT) != 0)) return DDERR_INVALIDPARAMS;
        if (chain && desc->dwBackBufferCount != 1) return DDERR_INVALIDPARAMS;
        auto* primary = new Surface(kModeWidth, kModeHeight, layout555, caps);
        if (chain) {
            constexpr DWORD kBackCaps = DDSCAPS_BACKBUFFER | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
            primary->backBuffer = new Surface(kModeWidth, kModeHeight, layout555, kBackCaps);
            primary->backBuffer->primary = primary;
        }
        State().primary = primary;
        *lplpDDSurface = primary;
        return DD_OK;
    }

    if ((desc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT)) return DDERR_INVALIDPARAMS;
    if (desc->dwWidth == 0 || desc->dwHeight == 0) return DDERR_INVALIDPARAMS;
    if (desc->dwWidth > kMaxSurfaceSide || desc->dwHeight > kMaxSurfaceSide ||
        uint64_t{desc->dwWidth} * desc->dwHeight > kMaxSurfacePixels)
        return DDERR_OUTOFMEMORY;
    *lplpDDSurface = new Surface(static_cast<int>(desc->dwWidth), static_cast<int>(desc->dwHeight), layout555,
                                 caps | DDSCAPS_OFFSCREENPLAIN);
    return DD_OK;
}

}  // namespace platform::draw

extern "C" HRESULT WINAPI DirectDrawCreate(GUID* lpGUID, LPDIRECTDRAW* lplpDD, IUnknown* pUnkOuter) {
    if (lplpDD == nullptr) return DDERR_INVALIDPARAMS;
    *lplpDD = nullptr;
    if (lpGUID != nullptr || pUnkOuter != nullptr) return DDERR_INVALIDPARAMS;
    if (platform::faults::Take("DirectDrawCreate")) return DDERR_GENERIC;
    *lplpDD = new platform::draw::Device();
    return DD_OK;
}
