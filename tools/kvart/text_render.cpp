#include "text_render.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kvart {

Mask RenderText(const std::string& fontFile, int pixelSize, const std::string& text, float slant) {
    Mask mask;
    FT_Library library;
    if (FT_Init_FreeType(&library)) return mask;
    FT_Face face;
    std::string path = kFontDir + fontFile;
    if (FT_New_Face(library, path.c_str(), 0, &face)) {
        std::fprintf(stderr, "kvart: cannot open %s\n", path.c_str());
        FT_Done_FreeType(library);
        return mask;
    }
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
    if (slant != 0.0f) {
        FT_Matrix shear{0x10000, static_cast<FT_Fixed>(slant * 0x10000), 0, 0x10000};
        FT_Set_Transform(face, &shear, nullptr);
    }
    int ascent = static_cast<int>(std::ceil(face->size->metrics.ascender / 64.0));
    int descent = static_cast<int>(std::ceil(-face->size->metrics.descender / 64.0));
    int height = ascent + descent;
    int widthGuess = pixelSize * 2 * static_cast<int>(text.size() + 1);
    std::vector<uint8_t> canvas(static_cast<size_t>(widthGuess) * height, 0);
    int pen = pixelSize / 2;
    for (unsigned char c : text) {
        if (FT_Load_Char(face, c, FT_LOAD_RENDER)) continue;
        FT_GlyphSlot g = face->glyph;
        for (unsigned row = 0; row < g->bitmap.rows; ++row)
            for (unsigned col = 0; col < g->bitmap.width; ++col) {
                int x = pen + g->bitmap_left + static_cast<int>(col);
                int y = ascent - g->bitmap_top + static_cast<int>(row);
                if (x < 0 || y < 0 || x >= widthGuess || y >= height) continue;
                uint8_t v = g->bitmap.buffer[row * g->bitmap.pitch + col];
                uint8_t& dst = canvas[static_cast<size_t>(y) * widthGuess + x];
                dst = std::max(dst, v);
            }
        pen += static_cast<int>(g->advance.x >> 6);
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    int left = widthGuess, right = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < widthGuess; ++x)
            if (canvas[static_cast<size_t>(y) * widthGuess + x]) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    if (right < 0) {
        mask.height = height;
        mask.baseline = ascent;
        return mask;
    }
    mask.width = right - left + 1;
    mask.height = height;
    mask.baseline = ascent;
    mask.coverage.resize(static_cast<size_t>(mask.width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < mask.width; ++x)
            mask.coverage[static_cast<size_t>(y) * mask.width + x] = canvas[static_cast<size_t>(y) * widthGuess + left + x];
    return mask;
}

}  // namespace kvart
