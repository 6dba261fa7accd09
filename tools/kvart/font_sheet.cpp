// The FONTS sheet: two grids of glyph cells on black. Font 0 is large and in
// shaded red, font 1 small and white shading to grey. Every glyph starts at
// its cell's left edge; the game measures its width from the ink.
#include <algorithm>
#include <cmath>
#include <map>

#include "art.h"
#include "text_render.h"

namespace kvart {
namespace {

constexpr int kSheetWidth = 640;
constexpr int kSheetHeight = 300;
constexpr int kFirstCode = 33;
constexpr int kLastCode = 123;
constexpr int kShadeLevels = 8;
constexpr int kCoverageLevels = 8;
// Faint antialiasing below this coverage is left black, so edges stay crisp.
constexpr int kInkThreshold = 56;
// The darkest ink keeps this share of its colour: no ink may turn black on
// the 16-bit display, or it would be transparent.
constexpr float kMinInkBrightness = 0.4f;

struct FontStyle {
    const char* file;
    int pixelSize;
    float widthScale;
    int cellWidth, cellHeight, perRow, firstRow;
    int baselineFromBottom;
    uint8_t firstIndex;
    Rgb top, bottom;
    std::map<char, int> widths;   // glyphs whose advance is fixed
};

Rgb Mix(Rgb a, Rgb b, float t, float scale) {
    auto channel = [&](uint8_t x, uint8_t y) {
        return static_cast<uint8_t>(std::lround((x + (y - x) * t) * scale));
    };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

// Threshold, crop to ink, stretch to the wanted width keeping both end
// columns as they are, threshold again.
Mask FitGlyph(const Mask& rendered, float scale, int fixedWidth, int cellWidth) {
    Mask m = rendered;
    for (uint8_t& v : m.coverage)
        if (v < kInkThreshold) v = 0;
    int left = m.width, right = -1;
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x)
            if (m.At(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    Mask out;
    out.height = m.height;
    out.baseline = m.baseline;
    if (right < 0) return out;
    int inked = right - left + 1;
    int width = fixedWidth > 0 ? fixedWidth : static_cast<int>(std::lround(inked * scale));
    width = std::clamp(width, 1, cellWidth);
    out.width = width;
    out.coverage.assign(static_cast<size_t>(width) * m.height, 0);
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < width; ++x) {
            float src = width == 1 ? 0.0f : static_cast<float>(x) * (inked - 1) / (width - 1);
            int x0 = static_cast<int>(src);
            int x1 = std::min(x0 + 1, inked - 1);
            float t = src - x0;
            float v = m.At(left + x0, y) * (1 - t) + m.At(left + x1, y) * t;
            out.coverage[static_cast<size_t>(y) * width + x] = v < kInkThreshold ? 0 : static_cast<uint8_t>(v);
        }
    return out;
}

void DrawFont(Picture& sheet, const FontStyle& style) {
    for (int level = 0; level < kShadeLevels; ++level)
        for (int c = 0; c < kCoverageLevels; ++c) {
            float brightness = kMinInkBrightness + (1.0f - kMinInkBrightness) * c / (kCoverageLevels - 1);
            sheet.palette[style.firstIndex + level * kCoverageLevels + c] =
                Mix(style.top, style.bottom, static_cast<float>(level) / (kShadeLevels - 1), brightness);
        }
    for (int code = kFirstCode; code <= kLastCode; ++code) {
        int g = code - kFirstCode;
        int cellX = style.cellWidth * (g % style.perRow);
        int cellY = style.firstRow + style.cellHeight * (g / style.perRow);
        auto fixed = style.widths.find(static_cast<char>(code));
        Mask glyph = FitGlyph(RenderText(style.file, style.pixelSize, std::string(1, static_cast<char>(code))),
                              style.widthScale, fixed == style.widths.end() ? 0 : fixed->second, style.cellWidth);
        int top = style.cellHeight - style.baselineFromBottom - glyph.baseline;
        for (int y = 0; y < glyph.height; ++y) {
            int row = top + y;
            if (row < 0 || row >= style.cellHeight) continue;
            int level = row * kShadeLevels / style.cellHeight;
            for (int x = 0; x < glyph.width; ++x) {
                int v = glyph.At(x, y);
                if (!v) continue;
                int c = (v - kInkThreshold) * kCoverageLevels / (256 - kInkThreshold);
                sheet.At(cellX + x, cellY + row) =
                    static_cast<uint8_t>(style.firstIndex + level * kCoverageLevels + std::min(c, kCoverageLevels - 1));
            }
        }
    }
}

}  // namespace

Picture MakeFontSheet() {
    Picture sheet(kSheetWidth, kSheetHeight);
    FontStyle large{"DejaVuSans-Bold.ttf", 30, 1.0f, 32, 38, 20, 0, 6, 1,
                    {255, 150, 110}, {150, 0, 0},
                    {{'!', 8}, {'A', 23}, {'W', 31}, {'*', 32}, {'+', 32}, {'{', 6}}};
    FontStyle small{"DejaVuSans-Bold.ttf", 19, 1.2f, 24, 24, 26, 190, 4, 1 + kShadeLevels * kCoverageLevels,
                    {255, 255, 255}, {120, 120, 130},
                    {{'!', 7}, {'A', 19}, {'W', 24}, {'{', 3}}};
    DrawFont(sheet, large);
    DrawFont(sheet, small);
    return sheet;
}

}  // namespace kvart
