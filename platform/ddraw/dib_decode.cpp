#include "platform/ddraw/dib_decode.h"

#include <windows.h>

#include <cstdint>

namespace platform {
namespace {

constexpr uint32_t kInfoHeaderSize = 40;
constexpr size_t kFileHeaderSize = 14;
constexpr uint16_t kFileMagic = 0x4D42;  // "BM"
constexpr size_t kAfterTable = SIZE_MAX;

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t ReadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

struct Header {
    uint32_t size;
    int32_t width;
    int32_t height;
    uint16_t planes;
    uint16_t bitCount;
    uint32_t compression;
    uint32_t sizeImage;
    uint32_t clrUsed;
};

bool ReadHeader(const uint8_t* data, size_t size, Header& h) {
    if (size < kInfoHeaderSize) return false;
    h.size = ReadU32(data);
    h.width = static_cast<int32_t>(ReadU32(data + 4));
    h.height = static_cast<int32_t>(ReadU32(data + 8));
    h.planes = ReadU16(data + 12);
    h.bitCount = ReadU16(data + 14);
    h.compression = ReadU32(data + 16);
    h.sizeImage = ReadU32(data + 20);
    h.clrUsed = ReadU32(data + 32);
    return h.size >= kInfoHeaderSize && h.size <= size;
}

// The colour table as 0x00RRGGBB; entries past it read as black.
struct Palette {
    uint32_t colours[256] = {};
    uint32_t count = 0;
};

bool ReadPalette(const uint8_t* data, size_t size, const Header& h, Palette& pal, size_t& tableEnd) {
    uint32_t count = h.clrUsed;
    if (h.bitCount == 8 && count == 0) count = 256;
    if (h.bitCount == 8 && count > 256) return false;
    if (h.bitCount != 8 && count > 256) return false;
    tableEnd = static_cast<size_t>(h.size) + static_cast<size_t>(count) * 4;
    if (tableEnd > size) return false;
    if (h.bitCount != 8) return true;
    pal.count = count;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* q = data + h.size + i * 4;
        pal.colours[i] = (static_cast<uint32_t>(q[2]) << 16) | (static_cast<uint32_t>(q[1]) << 8) | q[0];
    }
    return true;
}

bool DecodeRgb(const uint8_t* bits, size_t available, const Header& h, const Palette& pal,
               int32_t height, bool bottomUp, DecodedImage& out) {
    const uint64_t stride = (static_cast<uint64_t>(h.width) * h.bitCount + 31) / 32 * 4;
    if (stride * static_cast<uint64_t>(height) > available) return false;
    const int bytesPerPixel = h.bitCount / 8;
    for (int32_t row = 0; row < height; ++row) {
        const uint8_t* src = bits + stride * static_cast<uint64_t>(row);
        const int32_t y = bottomUp ? height - 1 - row : row;
        uint32_t* dst = out.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(h.width);
        for (int32_t x = 0; x < h.width; ++x) {
            const uint8_t* p = src + static_cast<size_t>(x) * bytesPerPixel;
            if (h.bitCount == 8)
                dst[x] = pal.colours[*p];
            else
                dst[x] = (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[0];
        }
    }
    return true;
}

// Run-length 8-bit, rows bottom-up. Every run is checked against the row and
// the data; pixels the stream skips keep colour index 0.
bool DecodeRle8(const uint8_t* bits, size_t available, const Header& h, const Palette& pal,
                DecodedImage& out) {
    const int32_t width = h.width;
    const int32_t height = h.height;
    for (uint32_t& p : out.pixels) p = pal.colours[0];
    auto put = [&](int32_t x, int32_t row, uint8_t index) {
        const int32_t y = height - 1 - row;
        out.pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
            pal.colours[index];
    };
    size_t pos = 0;
    int32_t x = 0;
    int32_t row = 0;
    for (;;) {
        if (available - pos < 2) return false;
        const uint8_t count = bits[pos];
        const uint8_t value = bits[pos + 1];
        pos += 2;
        if (count > 0) {
            if (row >= height || count > width - x) return false;
            for (int i = 0; i < count; ++i) put(x + i, row, value);
            x += count;
            continue;
        }
        switch (value) {
        case 0:  // end of line
            x = 0;
            ++row;
            if (row > height) return false;
            break;
        case 1:  // end of bitmap
            return true;
        case 2: {  // delta
            if (available - pos < 2) return false;
            const uint8_t dx = bits[pos];
            const uint8_t dy = bits[pos + 1];
            pos += 2;
            if (dx > width - x || dy > height - row) return false;
            x += dx;
            row += dy;
            break;
        }
        default: {  // absolute run, padded to an even length
            const size_t padded = (static_cast<size_t>(value) + 1) & ~size_t{1};
            if (available - pos < padded) return false;
            if (row >= height || value > width - x) return false;
            for (int i = 0; i < value; ++i) put(x + i, row, bits[pos + static_cast<size_t>(i)]);
            x += value;
            pos += padded;
            break;
        }
        }
    }
}

bool Decode(const uint8_t* data, size_t size, size_t pixelOffset, DecodedImage& out) {
    Header h{};
    if (!ReadHeader(data, size, h)) return false;
    if (h.planes != 1) return false;
    if (h.width <= 0 || h.width > kMaxImageSide) return false;
    if (h.height == 0 || h.height < -kMaxImageSide || h.height > kMaxImageSide) return false;
    const bool bottomUp = h.height > 0;
    const int32_t height = bottomUp ? h.height : -h.height;
    if (static_cast<int64_t>(h.width) * height > kMaxImagePixels) return false;

    const bool rle = h.compression == BI_RLE8;
    if (rle && (h.bitCount != 8 || !bottomUp)) return false;
    if (!rle && (h.compression != BI_RGB || (h.bitCount != 8 && h.bitCount != 24 && h.bitCount != 32)))
        return false;

    Palette pal;
    size_t tableEnd = 0;
    if (!ReadPalette(data, size, h, pal, tableEnd)) return false;
    if (pixelOffset == kAfterTable) pixelOffset = tableEnd;
    if (pixelOffset < tableEnd || pixelOffset > size) return false;
    size_t available = size - pixelOffset;
    if (h.sizeImage != 0) {
        if (h.sizeImage > available) {
            if (rle) return false;
        } else {
            available = h.sizeImage;
        }
    }

    DecodedImage image;
    image.width = h.width;
    image.height = height;
    image.pixels.assign(static_cast<size_t>(h.width) * static_cast<size_t>(height), 0);
    const uint8_t* bits = data + pixelOffset;
    const bool ok = rle ? DecodeRle8(bits, available, h, pal, image)
                        : DecodeRgb(bits, available, h, pal, height, bottomUp, image);
    if (!ok) return false;
    out = std::move(image);
    return true;
}

}  // namespace

bool DecodeDib(const uint8_t* data, size_t size, DecodedImage& out) {
    if (data == nullptr) return false;
    return Decode(data, size, kAfterTable, out);
}

bool DecodeBitmapFile(const uint8_t* data, size_t size, DecodedImage& out) {
    if (data == nullptr || size < kFileHeaderSize) return false;
    if (ReadU16(data) != kFileMagic) return false;
    const uint32_t offBits = ReadU32(data + 10);
    const uint8_t* dib = data + kFileHeaderSize;
    const size_t dibSize = size - kFileHeaderSize;
    if (offBits != 0 && offBits < kFileHeaderSize) return false;
    const size_t pixelOffset = offBits == 0 ? kAfterTable : offBits - kFileHeaderSize;
    return Decode(dib, dibSize, pixelOffset, out);
}

}  // namespace platform
