// BitmapFont::DrawText, DrawNumber and TextWidth: strings laid out glyph by
// glyph with the measured widths.
#include <cstdio>

#include "text/bitmap_font.h"

namespace {

constexpr signed char kSpace = 32;
constexpr signed char kLastGlyphCode = kFirstGlyphCode + kGlyphCount - 1;

bool IsGlyph(signed char code) { return code >= kFirstGlyphCode && code <= kLastGlyphCode; }

}  // namespace

int32_t BitmapFont::TextWidth(const char* text, int font) const {
    if (text == nullptr || font < 0 || font >= fontCount || glyphWidths == nullptr) return 0;
    const FontMetrics& m = fonts[font];
    int32_t width = 0;
    for (const char* p = text; *p; ++p) {
        const signed char code = static_cast<signed char>(*p);
        if (code == kSpace)
            width += m.cellWidth / 2;
        else if (IsGlyph(code))
            width += glyphWidths[font * kGlyphCount + (code - kFirstGlyphCode)] + m.spacing;
    }
    return width;
}

void BitmapFont::DrawText(LONG x, LONG y, const char* text, int font, DWORD flags) {
    if (text == nullptr || font < 0 || font >= fontCount || glyphWidths == nullptr) return;
    const FontMetrics& m = fonts[font];
    if (flags & (kTextAlignRight | kTextCentre)) {
        const int32_t width = TextWidth(text, font);
        if (flags & kTextAlignRight) x -= width;
        if (flags & kTextCentre) x -= width / 2;
    }
    LONG pen = 0;
    for (const char* p = text; *p; ++p) {
        const signed char code = static_cast<signed char>(*p);
        if (code == kSpace) {
            pen += m.cellWidth / 2;
            continue;
        }
        if (!IsGlyph(code)) continue;
        const int g = code - kFirstGlyphCode;
        DrawGlyph(GlyphCell(font, g), x + pen, y);
        pen += glyphWidths[font * kGlyphCount + g] + m.spacing;
    }
}

void BitmapFont::DrawNumber(LONG x, LONG y, int32_t value, int font, DWORD flags) {
    char digits[16];
    std::snprintf(digits, sizeof(digits), "%d", static_cast<int>(value));
    DrawText(x, y, digits, font, flags);
}
