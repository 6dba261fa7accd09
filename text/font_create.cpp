// BitmapFont::Create: load the FONTS sheet and measure every glyph's width
// from its own pixels, once, under a single lock.
#include "app/static_objects.h"
#include "display/bitmap_loader.h"
#include "display/display.h"
#include "text/bitmap_font.h"

namespace {

constexpr int kFontCount = 2;
constexpr int32_t kSheetWidth = 640;

struct LockedSheet {
    const uint8_t* pixels;
    LONG pitch;
    int32_t width;
    int32_t height;
    int bytesPerPixel;
};

// True when any byte of the column's pixels over the cell's rows is non-zero.
// Pixels beyond the surface count as empty.
bool ColumnHasInk(const LockedSheet& sheet, int32_t x, int32_t top, int32_t rows) {
    if (x < 0 || x >= sheet.width) return false;
    for (int32_t y = top; y < top + rows; ++y) {
        if (y < 0 || y >= sheet.height) continue;
        const uint8_t* p = sheet.pixels + static_cast<intptr_t>(y) * sheet.pitch +
                           static_cast<intptr_t>(x) * sheet.bytesPerPixel;
        for (int b = 0; b < sheet.bytesPerPixel; ++b)
            if (p[b] != 0) return true;
    }
    return false;
}

}  // namespace

int BitmapFont::Create(HWND) {
    fontCount = kFontCount;
    delete[] glyphWidths;
    delete[] firstRow;
    delete[] glyphsPerRow;
    glyphWidths = new uint8_t[kFontCount * kGlyphCount]();
    firstRow = new int32_t[kFontCount]();
    glyphsPerRow = new int32_t[kFontCount]();

    Display& display = ActiveDisplay ? *ActiveDisplay : gDisplay;
    LPDIRECTDRAWSURFACE sheet = DDLoadBitmap(display.lpDD, "FONTS", 0, 0);
    if (sheet == nullptr) return ReportFailure("DDLoadBitmap <FONTS>");
    StoreSurface(lpDDSFonts, sheet);
    DDSetColorKey(lpDDSFonts, RGB(0, 0, 0));

    for (int f = 0; f < fontCount; ++f) {
        glyphsPerRow[f] = kSheetWidth / fonts[f].cellWidth;
        if (f == 0) {
            firstRow[f] = 0;
            continue;
        }
        int rows = 0;
        int count = 0;
        do {
            count += glyphsPerRow[f - 1];
            ++rows;
        } while (count < kGlyphCount);
        firstRow[f] = firstRow[f - 1] + fonts[f - 1].cellHeight * rows;
    }

    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    const HRESULT hr = lpDDSFonts->Lock(NULL, &desc, DDLOCK_WAIT, NULL);
    if (FAILED(hr)) return ReportFailure(hr, "lpDDSFonts->Lock");
    const LockedSheet locked{static_cast<const uint8_t*>(desc.lpSurface), desc.lPitch,
                             static_cast<int32_t>(desc.dwWidth), static_cast<int32_t>(desc.dwHeight),
                             display.bitsPerPixel / 8};

    for (int f = 0; f < fontCount; ++f) {
        const FontMetrics& m = fonts[f];
        for (int g = 0; g < kGlyphCount; ++g) {
            const RECT cell = GlyphCell(f, g);
            int32_t w = m.cellWidth;
            while (w > 0 && !ColumnHasInk(locked, cell.left + w - 1, cell.top, m.cellHeight)) --w;
            glyphWidths[f * kGlyphCount + g] = static_cast<uint8_t>(w);
        }
    }
    lpDDSFonts->Unlock(NULL);
    return 1;
}
