// BitmapFont::DrawGlyph: one whole cell of the sheet, clipped, keyed.
#include "display/blit.h"
#include "display/display.h"
#include "text/bitmap_font.h"

void BitmapFont::DrawGlyph(RECT srcRect, LONG x, LONG y) {
    if (!ClipToScreen(srcRect, x, y) || ActiveDisplay == nullptr) return;
    ActiveDisplay->Blit(x, y, srcRect, lpDDSFonts, BackBuffer, DDBLTFAST_SRCCOLORKEY);
}
