// An 8-bit indexed picture as kvart builds it: rows top-down, 256 colours.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kvart {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;   // width * height indices, top row first
    std::array<Rgb, 256> palette{};
    int32_t pelsPerMeter = 2835;   // 72 dpi; nothing reads it

    Picture(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, 0) {}
    uint8_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The pixel stream of a BI_RLE8 bitmap: encoded runs, absolute runs of three
// or more, end of line after every row but the last, end of bitmap.
std::vector<uint8_t> EncodeRle8(const Picture& picture);

// A bitmap file: file header, 40-byte info header, 256 colours, RLE8 pixels.
bool WriteBitmap(const std::string& path, const Picture& picture);

}  // namespace kvart
