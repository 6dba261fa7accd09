// DDLoadBitmap and DDReloadBitmap: a picture by resource name, or as a file
// path when no resource has that name.
#include "display/bitmap_loader.h"

namespace {

HBITMAP LoadNamedBitmap(LPCSTR name, int dx, int dy) {
    HANDLE image = LoadImageA(GetModuleHandleA(NULL), name, IMAGE_BITMAP, dx, dy, LR_CREATEDIBSECTION);
    if (image == nullptr)
        image = LoadImageA(NULL, name, IMAGE_BITMAP, dx, dy, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    return static_cast<HBITMAP>(image);
}

}  // namespace

LPDIRECTDRAWSURFACE DDLoadBitmap(LPDIRECTDRAW lpDD, LPCSTR name, int dx, int dy) {
    if (lpDD == nullptr) return nullptr;
    HBITMAP bitmap = LoadNamedBitmap(name, dx, dy);
    if (bitmap == nullptr) return nullptr;
    BITMAP bm{};
    GetObjectA(bitmap, sizeof(bm), &bm);

    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = static_cast<DWORD>(bm.bmWidth);
    desc.dwHeight = static_cast<DWORD>(bm.bmHeight);
    LPDIRECTDRAWSURFACE surface = nullptr;
    if (lpDD->CreateSurface(&desc, &surface, NULL) != DD_OK) {
        DeleteObject(bitmap);
        return nullptr;
    }
    DDCopyBitmap(surface, bitmap, 0, 0, 0, 0);
    DeleteObject(bitmap);
    return surface;
}

HRESULT DDReloadBitmap(LPDIRECTDRAWSURFACE surface, LPCSTR name) {
    HBITMAP bitmap = LoadNamedBitmap(name, 0, 0);
    if (bitmap == nullptr) {
        OutputDebugStringA("handle is null\n");
        return E_FAIL;
    }
    const HRESULT hr = DDCopyBitmap(surface, bitmap, 0, 0, 0, 0);
    if (hr != DD_OK) OutputDebugStringA("ddcopybitmap failed\n");
    DeleteObject(bitmap);
    return hr;
}
