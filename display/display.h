// The DirectDraw device, its surfaces and the lost-surface retry.
#pragma once

#include <ddraw.h>

#include <cstdint>

class Display {
public:
    Display();

    // Copy srcRect of source to (x, y) of destination, clipped to the screen;
    // flags go to BltFast as they are: DDBLTFAST_SRCCOLORKEY or NOCOLORKEY.
    virtual HRESULT Blit(LONG x, LONG y, RECT srcRect, LPDIRECTDRAWSURFACE source,
                         LPDIRECTDRAWSURFACE destination, DWORD flags);
    // Flip the finished back buffer to the screen.
    virtual HRESULT Present();

    // Mode switch, primary surface with back buffer, bitmaps; 1 or 0 after
    // ReportFailure.
    int Create(HWND window);
    // (Re)load the six bitmap surfaces and set their colour keys.
    void LoadSurfaces();
    // Release every slot and the device; harmless when already released.
    void ReleaseAll();

    LPDIRECTDRAW lpDD;
    uint8_t bitsPerPixel;
    int32_t is555;
    HWND hWnd;
};

extern LPDIRECTDRAWSURFACE PrimarySurface;
extern LPDIRECTDRAWSURFACE BackBuffer;
extern LPDIRECTDRAWSURFACE lpDDSFonts;
extern LPDIRECTDRAWSURFACE lpDDSSprites;
extern LPDIRECTDRAWSURFACE lpDDSDesert;
extern LPDIRECTDRAWSURFACE lpDDSIntroPic;
extern LPDIRECTDRAWSURFACE lpDDSVillain;
extern LPDIRECTDRAWSURFACE lpDDSPresident;

// Every Blit and Present of the game goes through this display.
extern Display* ActiveDisplay;

// Store a surface in a slot, releasing what the slot held.
void StoreSurface(LPDIRECTDRAWSURFACE& slot, LPDIRECTDRAWSURFACE surface);

HRESULT RestoreSurfaces();
HRESULT ClearBackBuffer();

// Tell the user which operation failed, release the display and destroy the
// window. Both return 0, the caller's failure result.
int ReportFailure(const char* operation);
int ReportFailure(HRESULT code, const char* operation);

// The lost-surface retry around one drawing call: repeat while the device is
// still drawing; on a lost surface restore everything and give the call up.
template <typename Call>
HRESULT RetryLostSurface(Call call) {
    for (;;) {
        HRESULT hr = call();
        if (hr == DD_OK) return DD_OK;
        if (hr == DDERR_SURFACELOST) {
            hr = RestoreSurfaces();
            if (hr != DD_OK) return hr;
        }
        if (hr != DDERR_WASSTILLDRAWING) return hr;
    }
}
