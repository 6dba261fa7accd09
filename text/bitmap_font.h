// The two proportional bitmap fonts of the FONTS sheet.
#pragma once

#include <ddraw.h>

#include <cstdint>

struct FontMetrics {
    int32_t cellWidth;
    int32_t cellHeight;
    int32_t spacing;
};

constexpr int kGlyphCount = 91;      // codes 33 ("!") to 123 ("{")
constexpr int kFirstGlyphCode = 33;
constexpr int kLargeFont = 0;        // red, for the score and the screens' texts
constexpr int kSmallFont = 1;        // white, for hints and the dedication
constexpr DWORD kTextAlignRight = 2; // the text ends at x
constexpr DWORD kTextCentre = 4;     // the text is centred on x

class BitmapFont {
public:
    BitmapFont();
    ~BitmapFont();

    virtual void DrawGlyph(RECT srcRect, LONG x, LONG y);

    int Create(HWND window);
    void DrawText(LONG x, LONG y, const char* text, int font, DWORD flags);
    void DrawNumber(LONG x, LONG y, int32_t value, int font, DWORD flags);
    // Width of text as DrawText would lay it out.
    int32_t TextWidth(const char* text, int font) const;
    // The sheet's cell of glyph g (0 for "!") of font.
    RECT GlyphCell(int font, int g) const;

    FontMetrics fonts[2];
    uint8_t* glyphWidths;
    int32_t* firstRow;
    int32_t* glyphsPerRow;
    int32_t fontCount;
};
