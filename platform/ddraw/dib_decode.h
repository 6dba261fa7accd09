// Decoding device-independent bitmaps: BI_RGB at 8, 24 or 32 bits per pixel
// and BI_RLE8. Anything malformed is refused as a whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

struct DecodedImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first
};

// Limits that keep a hostile header from asking for gigabytes.
constexpr int32_t kMaxImageSide = 16384;
constexpr int64_t kMaxImagePixels = int64_t{1} << 22;

// A packed DIB: BITMAPINFOHEADER, colour table, pixels (as a RT_BITMAP
// resource stores it).
bool DecodeDib(const uint8_t* data, size_t size, DecodedImage& out);
// A .bmp file: BITMAPFILEHEADER first, pixels at bfOffBits.
bool DecodeBitmapFile(const uint8_t* data, size_t size, DecodedImage& out);

}  // namespace platform
