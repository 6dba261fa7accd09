// The DirectDraw objects behind the interfaces, shared by the files of
// platform/ddraw/ and platform/gdi32/. Not for the game.
#pragma once

#include <ddraw.h>

#include "platform/win32/com_object.h"

#include <cstdint>
#include <memory>

namespace platform::draw {

constexpr DWORD kModeWidth = 800;
constexpr DWORD kModeHeight = 600;
constexpr DWORD kModeBits = 16;

// Pixel memory: 16-bit pixels, rows pitch bytes apart.
struct PixelBuffer {
    std::unique_ptr<uint16_t[]> memory;
    int32_t pitch = 0;
};

class Surface final : public ComObject<IDirectDrawSurface> {
public:
    Surface(int width, int height, bool is555, DWORD caps);
    ~Surface() override;

    // The back buffer lives exactly as long as its primary.
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE Blt(LPRECT lpDestRect, LPDIRECTDRAWSURFACE lpDDSrcSurface, LPRECT lpSrcRect,
                                  DWORD dwFlags, LPDDBLTFX lpDDBltFx) override;
    HRESULT STDMETHODCALLTYPE BltFast(DWORD dwX, DWORD dwY, LPDIRECTDRAWSURFACE lpDDSrcSurface,
                                      LPRECT lpSrcRect, DWORD dwTrans) override;
    HRESULT STDMETHODCALLTYPE Flip(LPDIRECTDRAWSURFACE lpDDSurfaceTargetOverride, DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE GetAttachedSurface(LPDDSCAPS lpDDSCaps,
                                                 LPDIRECTDRAWSURFACE* lplpDDAttachedSurface) override;
    HRESULT STDMETHODCALLTYPE GetDC(HDC* lphDC) override;
    HRESULT STDMETHODCALLTYPE GetPixelFormat(LPDDPIXELFORMAT lpDDPixelFormat) override;
    HRESULT STDMETHODCALLTYPE GetSurfaceDesc(LPDDSURFACEDESC lpDDSurfaceDesc) override;
    HRESULT STDMETHODCALLTYPE Lock(LPRECT lpDestRect, LPDDSURFACEDESC lpDDSurfaceDesc, DWORD dwFlags,
                                   HANDLE hEvent) override;
    HRESULT STDMETHODCALLTYPE ReleaseDC(HDC hDC) override;
    HRESULT STDMETHODCALLTYPE Restore() override;
    HRESULT STDMETHODCALLTYPE SetColorKey(DWORD dwFlags, LPDDCOLORKEY lpDDColorKey) override;
    HRESULT STDMETHODCALLTYPE Unlock(LPVOID lpSurfaceData) override;

    uint16_t* Pixel(int x, int y) {
        return reinterpret_cast<uint16_t*>(reinterpret_cast<uint8_t*>(buffer.memory.get()) +
                                           static_cast<intptr_t>(buffer.pitch) * y) +
               x;
    }
    // Whether a caller may touch the pixels now (not lost, locked or in a DC).
    HRESULT Usable() const;

    int width;
    int height;
    bool is555;
    DWORD caps;
    PixelBuffer buffer;
    bool lost = false;
    bool locked = false;
    HDC dc = nullptr;
    bool hasKey = false;
    DWORD key = 0;
    Surface* backBuffer = nullptr;  // the primary's implicit back buffer
    Surface* primary = nullptr;     // the back buffer's owner
    bool presented = false;         // the primary has shown a frame
};

class Device final : public ComObject<IDirectDraw> {
public:
    Device();
    ~Device() override;

    HRESULT STDMETHODCALLTYPE CreateSurface(LPDDSURFACEDESC lpDDSurfaceDesc, LPDIRECTDRAWSURFACE* lplpDDSurface,
                                            IUnknown* pUnkOuter) override;
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND hWnd, DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE SetDisplayMode(DWORD dwWidth, DWORD dwHeight, DWORD dwBPP) override;

    bool exclusive = false;
    bool modeSet = false;
    bool is555 = false;
};

// Device-wide state: foreground, pending faults, the live surfaces.
struct DrawState {
    bool foreground = true;
    bool layout555 = false;
    int refusedRestores = 0;
    int stillDrawing = 0;
    int liveSurfaces = 0;
    Surface* primary = nullptr;  // the latest visible surface while it exists
};
DrawState& State();

// Registry of live surfaces, so that loss reaches all of them and a stray
// pointer is never followed.
void Register(Surface* surface);
void Unregister(Surface* surface);
bool IsLive(const IDirectDrawSurface* surface);
void LoseAll();

// Take one pending still-drawing fault.
bool TakeStillDrawing();

// A rectangle lies within a width x height surface (empty allowed; inverted not).
bool RectInside(const RECT& r, int width, int height);

// Pixel-format description of the mode's 16-bit layout.
void DescribeFormat(DDPIXELFORMAT& format, bool is555);

}  // namespace platform::draw
