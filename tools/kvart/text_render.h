// Lettering through FreeType from the system's DejaVu fonts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kvart {

// Coverage 0..255 of a rendered glyph or line of text.
struct Mask {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> coverage;
    int baseline = 0;   // rows from the top to the baseline
    uint8_t At(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0;
        return coverage[static_cast<size_t>(y) * width + x];
    }
};

constexpr const char* kFontDir = "/usr/share/fonts/truetype/dejavu/";

// Renders text in the font file at the pixel size; the mask is cropped to the
// ink horizontally and spans the font's ascent to descent vertically. An
// empty mask when the font cannot be opened.
Mask RenderText(const std::string& fontFile, int pixelSize, const std::string& text, float slant = 0.0f);

}  // namespace kvart
