// BitmapFont construction and destruction: the two fonts' fixed metrics.
#include "text/bitmap_font.h"

BitmapFont::BitmapFont()
    : fonts{{32, 38, 0}, {24, 24, -1}}, glyphWidths(nullptr), firstRow(nullptr), glyphsPerRow(nullptr), fontCount(0) {}

BitmapFont::~BitmapFont() {
    delete[] glyphWidths;
    delete[] firstRow;
    delete[] glyphsPerRow;
    glyphWidths = nullptr;
    firstRow = nullptr;
    glyphsPerRow = nullptr;
}

RECT BitmapFont::GlyphCell(int font, int g) const {
    const FontMetrics& m = fonts[font];
    const LONG left = (g % glyphsPerRow[font]) * m.cellWidth;
    const LONG top = firstRow[font] + (g / glyphsPerRow[font]) * m.cellHeight;
    return RECT{left, top, left + m.cellWidth, top + m.cellHeight};
}
