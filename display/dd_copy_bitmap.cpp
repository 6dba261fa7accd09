// DDCopyBitmap: GDI copies a bitmap into a surface, converting its colours.
#include "display/bitmap_loader.h"

HRESULT DDCopyBitmap(LPDIRECTDRAWSURFACE surface, HBITMAP bitmap, int x, int y, int dx, int dy) {
    if (bitmap == nullptr || surface == nullptr) return E_FAIL;
    surface->Restore();
    HDC memory = CreateCompatibleDC(NULL);
    if (memory == nullptr) OutputDebugStringA("createcompatible dc failed\n");
    SelectObject(memory, bitmap);
    BITMAP bm{};
    GetObjectA(bitmap, sizeof(bm), &bm);
    if (dx == 0) dx = bm.bmWidth;
    if (dy == 0) dy = bm.bmHeight;

    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_HEIGHT | DDSD_WIDTH;
    surface->GetSurfaceDesc(&desc);

    HDC dc = nullptr;
    const HRESULT hr = surface->GetDC(&dc);
    if (hr == DD_OK) {
        StretchBlt(dc, 0, 0, static_cast<int>(desc.dwWidth), static_cast<int>(desc.dwHeight), memory, x, y, dx,
                   dy, SRCCOPY);
        surface->ReleaseDC(dc);
    }
    if (memory != nullptr) DeleteDC(memory);
    return hr;
}
