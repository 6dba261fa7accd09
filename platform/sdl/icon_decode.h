// Decoding one RT_ICON image (a DIB: BITMAPINFOHEADER with doubled height,
// colour table, colour rows, then the transparency mask) into 32-bit ARGB.
// Palette images of 1, 4 and 8 bits per pixel; anything else, or anything
// that does not fit inside the bytes given, is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sdlhost {

struct IconPixels {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    std::vector<uint32_t> argb;  // top row first
};

namespace icon {

constexpr uint32_t kInfoHeaderSize = 40;
constexpr int kMaxSide = 256;

inline uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}
inline uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

}  // namespace icon

inline bool DecodeIconImage(const uint8_t* data, size_t size, IconPixels* out) {
    using namespace icon;
    if (!data || !out || size < kInfoHeaderSize) return false;
    uint32_t headerSize = Le32(data);
    int32_t width = static_cast<int32_t>(Le32(data + 4));
    int32_t doubledHeight = static_cast<int32_t>(Le32(data + 8));
    uint16_t planes = Le16(data + 12);
    uint16_t bpp = Le16(data + 14);
    uint32_t compression = Le32(data + 16);
    uint32_t colorsUsed = Le32(data + 32);
    if (headerSize < kInfoHeaderSize || headerSize > size || planes != 1 || compression != 0) return false;
    if (bpp != 1 && bpp != 4 && bpp != 8) return false;
    if (width <= 0 || width > kMaxSide || doubledHeight <= 0 || doubledHeight % 2 != 0 ||
        doubledHeight / 2 > kMaxSide)
        return false;
    int height = doubledHeight / 2;
    uint32_t maxColors = 1u << bpp;
    uint32_t colors = colorsUsed == 0 ? maxColors : colorsUsed;
    if (colors > maxColors) return false;

    uint64_t paletteAt = headerSize;
    uint64_t colorAt = paletteAt + 4ull * colors;
    uint64_t colorStride = ((static_cast<uint64_t>(width) * bpp + 31) / 32) * 4;
    uint64_t maskAt = colorAt + colorStride * height;
    uint64_t maskStride = ((static_cast<uint64_t>(width) + 31) / 32) * 4;
    if (maskAt + maskStride * height > size) return false;

    out->width = width;
    out->height = height;
    out->bitsPerPixel = bpp;
    out->argb.assign(static_cast<size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom-up.
        const uint8_t* row = data + colorAt + colorStride * (height - 1 - y);
        const uint8_t* mask = data + maskAt + maskStride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            uint32_t bit = static_cast<uint32_t>(x) * bpp;
            uint32_t index = (row[bit / 8] >> (8 - bpp - bit % 8)) & (maxColors - 1);
            bool transparent = (mask[x / 8] >> (7 - x % 8)) & 1;
            if (transparent || index >= colors) continue;
            const uint8_t* quad = data + paletteAt + 4ull * index;
            out->argb[static_cast<size_t>(y) * width + x] =
                0xFF000000u | static_cast<uint32_t>(quad[2]) << 16 | static_cast<uint32_t>(quad[1]) << 8 | quad[0];
        }
    }
    return true;
}

// Which of two decoded images makes the better window icon: 8-bit 48x48
// first, then 8-bit 32x32, then the larger.
inline int IconPreference(const IconPixels& icon) {
    if (icon.bitsPerPixel == 8 && icon.width == 48 && icon.height == 48) return 1000000;
    if (icon.bitsPerPixel == 8 && icon.width == 32 && icon.height == 32) return 999999;
    return icon.width * icon.height * 8 + icon.bitsPerPixel;
}

}  // namespace sdlhost
