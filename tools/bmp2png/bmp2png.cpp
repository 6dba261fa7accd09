// bmp2png: converts a bitmap file (8-bit RLE8 or uncompressed, 24 or 32 bit)
// to a PNG, for looking at pictures and screenshots.
//   bmp2png IN.bmp OUT.png [SCALE]
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t Read16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }

struct Image {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;   // top row first
};

bool Fail(const char* why) {
    std::fprintf(stderr, "bmp2png: %s\n", why);
    return false;
}

// Expands RLE8 into indices, bottom row first; false on a malformed stream.
bool DecodeRle8(const std::vector<uint8_t>& b, size_t at, int width, int height, std::vector<uint8_t>& indices) {
    indices.assign(static_cast<size_t>(width) * height, 0);
    int x = 0, y = 0;
    while (at + 1 < b.size()) {
        uint8_t count = b[at], value = b[at + 1];
        at += 2;
        if (count) {
            for (int i = 0; i < count && x < width && y < height; ++i) indices[static_cast<size_t>(y) * width + x++] = value;
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (at + 1 >= b.size()) return false;
            x += b[at];
            y += b[at + 1];
            at += 2;
        } else {
            if (at + value > b.size()) return false;
            for (int i = 0; i < value; ++i)
                if (x < width && y < height) indices[static_cast<size_t>(y) * width + x++] = b[at + i];
            at += value + (value & 1);
        }
    }
    return false;
}

bool ReadBitmap(const std::vector<uint8_t>& b, Image& image) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return Fail("not a bitmap file");
    uint32_t offBits = Read32(b, 10), infoSize = Read32(b, 14);
    int width = static_cast<int>(Read32(b, 18));
    int height = static_cast<int>(Read32(b, 22));
    uint16_t bits = Read16(b, 28);
    uint32_t compression = Read32(b, 30);
    uint32_t colours = Read32(b, 46);
    bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384 || offBits >= b.size())
        return Fail("unsupported bitmap size");
    image.width = width;
    image.height = height;
    image.rgb.assign(static_cast<size_t>(width) * height * 3, 0);
    size_t paletteAt = 14 + infoSize;
    if (bits == 8) {
        if (colours == 0) colours = 256;
        if (paletteAt + colours * 4 > b.size() || colours > 256) return Fail("bad colour table");
        std::vector<uint8_t> indices;
        if (compression == 1) {
            if (!DecodeRle8(b, offBits, width, height, indices)) return Fail("bad RLE8 stream");
        } else if (compression == 0) {
            size_t stride = (static_cast<size_t>(width) + 3) & ~size_t{3};
            if (offBits + stride * height > b.size()) return Fail("pixels past the end");
            indices.resize(static_cast<size_t>(width) * height);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) indices[static_cast<size_t>(y) * width + x] = b[offBits + y * stride + x];
        } else {
            return Fail("unsupported compression");
        }
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                uint8_t i = indices[static_cast<size_t>(y) * width + x];
                int row = topDown ? y : height - 1 - y;
                uint8_t* out = &image.rgb[(static_cast<size_t>(row) * width + x) * 3];
                if (i >= colours) continue;
                out[0] = b[paletteAt + i * 4 + 2];
                out[1] = b[paletteAt + i * 4 + 1];
                out[2] = b[paletteAt + i * 4];
            }
        return true;
    }
    if ((bits == 24 || bits == 32) && compression == 0) {
        size_t stride = ((static_cast<size_t>(width) * bits / 8) + 3) & ~size_t{3};
        if (offBits + stride * height > b.size()) return Fail("pixels past the end");
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const uint8_t* in = &b[offBits + y * stride + x * (bits / 8)];
                int row = topDown ? y : height - 1 - y;
                uint8_t* out = &image.rgb[(static_cast<size_t>(row) * width + x) * 3];
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
            }
        return true;
    }
    return Fail("unsupported pixel format");
}

void PutChunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
    uint32_t n = static_cast<uint32_t>(data.size());
    for (int k = 3; k >= 0; --k) png.push_back(static_cast<uint8_t>(n >> (8 * k)));
    size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    uLong crc = crc32(0, png.data() + start, static_cast<uInt>(png.size() - start));
    for (int k = 3; k >= 0; --k) png.push_back(static_cast<uint8_t>(crc >> (8 * k)));
}

std::vector<uint8_t> EncodePng(const Image& image, int scale) {
    int w = image.width * scale, h = image.height * scale;
    std::vector<uint8_t> raw;
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = &image.rgb[(static_cast<size_t>(y / scale) * image.width + x / scale) * 3];
            raw.insert(raw.end(), p, p + 3);
        }
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(size);
    compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
    packed.resize(size);
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    for (uint32_t v : {static_cast<uint32_t>(w), static_cast<uint32_t>(h)})
        for (int k = 3; k >= 0; --k) header.push_back(static_cast<uint8_t>(v >> (8 * k)));
    header.insert(header.end(), {8, 2, 0, 0, 0});
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});
    return png;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: bmp2png IN.bmp OUT.png [SCALE]\n");
        return 2;
    }
    int scale = argc == 4 ? std::atoi(argv[3]) : 1;
    if (scale < 1 || scale > 16) scale = 1;
    std::ifstream in(argv[1], std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Image image;
    if (!ReadBitmap(bytes, image)) return 1;
    std::vector<uint8_t> png = EncodePng(image, scale);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return out ? 0 : 1;
}
