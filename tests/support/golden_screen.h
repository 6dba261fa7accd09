// Expected screens composed from the stored pictures, independently of the
// game's drawing code, at the display's 16-bit layout: each channel keeps its
// top bits, and a pixel that packs to 0 is see-through on keyed sheets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/headless/headless.h"

namespace golden {

constexpr int kWidth = headless::kScreenWidth;
constexpr int kHeight = headless::kScreenHeight;

struct Rect {
    int left, top, right, bottom;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// A bitmap resource packed to 16 bits, top row first; empty when the
// resource is missing or not an 8-bit RLE picture.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint16_t> pixels;
    uint16_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
Picture LoadPicture(const char* name, bool is555);

uint16_t Pack(uint32_t rgb, bool is555);
// Black averaged in: every channel halved, rounded down.
uint16_t Halve(uint16_t pixel, bool is555);

// The glyph advance widths measured from the sheet's ink, as the game lays
// text out: font 0 is 32x38 cells with no spacing, font 1 24x24 from row 190
// with spacing -1.
struct Font {
    Picture sheet;
    uint8_t widths[2][91] = {};
};
Font LoadFont(bool is555);

struct Canvas {
    explicit Canvas(bool layout555);
    bool is555;
    std::vector<uint16_t> pixels;
    std::vector<uint8_t> inked;  // 1 where a text glyph was drawn
    uint16_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * kWidth + x]; }
    uint16_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * kWidth + x]; }

    // The source rectangle at (x, y), cut at the screen's edges.
    void Draw(const Picture& from, Rect source, int x, int y, bool keyed);
    void Text(const Font& font, int x, int y, const std::string& text, int fontIndex);
    void Number(const Font& font, int x, int y, int32_t value, int fontIndex);
    void HalveBox(Rect box);
};

// Pixels of `region` where the frame differs from the canvas, with the first
// few described in `report`.
int Mismatches(const headless::Frame& frame, const Canvas& expected, Rect region, std::string* report);

}  // namespace golden
