// Display::Create: the mode switch, the flip chain and the bitmaps.
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "display/blit.h"
#include "display/display.h"
#include "display/pictures.h"

namespace {

constexpr DWORD kScreenBits = 16;
constexpr DWORD kGreenMask565 = 0x7E0;
constexpr size_t kFailureBytes = 64;

}  // namespace

int Display::Create(HWND window) {
    ActiveDisplay = this;
    hWnd = window;
    if (lpDD != nullptr) return ReportFailure("DDraw object already created");
    if (DirectDrawCreate(NULL, &lpDD, NULL) != DD_OK) {
        lpDD = nullptr;
        return ReportFailure("DirectDrawCreateEx");
    }
    if (lpDD->SetCooperativeLevel(hWnd, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN) != DD_OK)
        return ReportFailure("SetCooperativeLevel");
    if (lpDD->SetDisplayMode(kScreenWidth, kScreenHeight, kScreenBits) != DD_OK)
        return ReportFailure("SetDisplayMode");

    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    LPDIRECTDRAWSURFACE primary = nullptr;
    if (lpDD->CreateSurface(&desc, &primary, NULL) != DD_OK) return ReportFailure("CreateSurface");
    StoreSurface(PrimarySurface, primary);

    DDSCAPS caps{};
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    LPDIRECTDRAWSURFACE back = nullptr;
    if (PrimarySurface->GetAttachedSurface(&caps, &back) != DD_OK) return ReportFailure("GetAttachedSurface");
    BackBuffer = back;

    LoadSurfaces();
    // A picture that cannot be loaded would leave a slot empty for the whole
    // run; stop at start-up instead, naming the picture.
    for (const Picture& p : kPictures) {
        if (*p.slot != nullptr) continue;
        char failure[kFailureBytes];
        std::snprintf(failure, sizeof(failure), "DDLoadBitmap <%s>", p.name);
        return ReportFailure(failure);
    }

    srand(static_cast<unsigned>(time(NULL)));

    DDPIXELFORMAT format{};
    format.dwSize = sizeof(format);
    const HRESULT hr = PrimarySurface->GetPixelFormat(&format);
    if (FAILED(hr)) return ReportFailure(hr, "GetPixelFormat");
    bitsPerPixel = static_cast<uint8_t>(format.dwRGBBitCount & 0xFF);
    is555 = format.dwGBitMask != kGreenMask565 ? 1 : 0;
    return 1;
}
