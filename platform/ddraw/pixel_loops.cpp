#include "platform/ddraw/pixel_loops.h"

#include <cstring>
#include <vector>

namespace pixels {
namespace {

uint16_t* Row(uint16_t* base, int32_t pitch, int y) {
    return reinterpret_cast<uint16_t*>(reinterpret_cast<uint8_t*>(base) + static_cast<intptr_t>(pitch) * y);
}
const uint16_t* Row(const uint16_t* base, int32_t pitch, int y) {
    return reinterpret_cast<const uint16_t*>(reinterpret_cast<const uint8_t*>(base) +
                                             static_cast<intptr_t>(pitch) * y);
}

// Fixed-size blocks, so that the compiler turns each into vector code.
constexpr int kBlock = 8;
constexpr int kNarrow = 8;

}  // namespace

void Copy(uint16_t* dst, int32_t dstPitch, const uint16_t* src, int32_t srcPitch, int width,
          int height) {
    if (width <= 0 || height <= 0) return;
    const size_t bytes = static_cast<size_t>(width) * sizeof(uint16_t);
    if (dstPitch == srcPitch && static_cast<size_t>(dstPitch) == bytes) {
        std::memmove(dst, src, bytes * static_cast<size_t>(height));
        return;
    }
    // Narrow blocks (the wave's one-pixel columns, glyph cells) cost more in
    // calls to memmove than in copying.
    if (width < kNarrow) {
        for (int y = 0; y < height; ++y) {
            uint16_t* d = Row(dst, dstPitch, y);
            const uint16_t* s = Row(src, srcPitch, y);
            for (int x = 0; x < width; ++x) d[x] = s[x];
        }
        return;
    }
    for (int y = 0; y < height; ++y) std::memmove(Row(dst, dstPitch, y), Row(src, srcPitch, y), bytes);
}

void CopyKeyed(uint16_t* dst, int32_t dstPitch, const uint16_t* src, int32_t srcPitch, int width,
               int height, uint32_t key) {
    if (key > 0xFFFF) {
        Copy(dst, dstPitch, src, srcPitch, width, height);
        return;
    }
    const uint16_t k = static_cast<uint16_t>(key);
    for (int y = 0; y < height; ++y) {
        uint16_t* __restrict d = Row(dst, dstPitch, y);
        const uint16_t* __restrict s = Row(src, srcPitch, y);
        // Written as a select, not a branch, so that it vectorises.
        int x = 0;
        for (; x + kBlock <= width; x += kBlock)
            for (int i = x; i < x + kBlock; ++i) d[i] = s[i] != k ? s[i] : d[i];
        for (; x < width; ++x) d[x] = s[x] != k ? s[x] : d[x];
    }
}

void Fill(uint16_t* dst, int32_t dstPitch, int width, int height, uint16_t value) {
    if (width <= 0 || height <= 0) return;
    const size_t bytes = static_cast<size_t>(width) * sizeof(uint16_t);
    if (value == 0 && static_cast<size_t>(dstPitch) == bytes) {
        std::memset(dst, 0, bytes * static_cast<size_t>(height));
        return;
    }
    for (int y = 0; y < height; ++y) {
        uint16_t* __restrict d = Row(dst, dstPitch, y);
        int x = 0;
        for (; x + kBlock <= width; x += kBlock)
            for (int i = x; i < x + kBlock; ++i) d[i] = value;
        for (; x < width; ++x) d[x] = value;
    }
}

void Stretch(uint16_t* dst, int32_t dstPitch, int dstWidth, int dstHeight, const uint16_t* src,
             int32_t srcPitch, int srcWidth, int srcHeight, bool mirrorUpDown) {
    if (dstWidth <= 0 || dstHeight <= 0 || srcWidth <= 0 || srcHeight <= 0) return;
    std::vector<int> columns(static_cast<size_t>(dstWidth));
    for (int x = 0; x < dstWidth; ++x)
        columns[static_cast<size_t>(x)] =
            static_cast<int>(static_cast<int64_t>(x) * srcWidth / dstWidth);
    for (int y = 0; y < dstHeight; ++y) {
        int sy = static_cast<int>(static_cast<int64_t>(y) * srcHeight / dstHeight);
        if (mirrorUpDown) sy = srcHeight - 1 - sy;
        const uint16_t* s = Row(src, srcPitch, sy);
        uint16_t* d = Row(dst, dstPitch, y);
        if (dstWidth == srcWidth) {
            std::memmove(d, s, static_cast<size_t>(dstWidth) * sizeof(uint16_t));
            continue;
        }
        for (int x = 0; x < dstWidth; ++x) d[x] = s[columns[static_cast<size_t>(x)]];
    }
}

}  // namespace pixels
