// Build tool: writes the 48x48 image of the game's .ico as the PNG that the
// desktop entry shows, so the installed icon is always the game's own.
// usage: icon_png ICO PNG
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/sdl/icon_decode.h"

namespace {

constexpr size_t kIconDirSize = 6;
constexpr size_t kIconEntrySize = 16;
constexpr size_t kStoredBlockMax = 65535;

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
    static uint32_t table[256];
    if (table[1] == 0) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
    }
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void PutBe32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& body) {
    PutBe32(out, static_cast<uint32_t>(body.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    PutBe32(out, Crc32(out.data() + start, out.size() - start));
}

// A zlib stream of stored (uncompressed) blocks: an icon is a few KiB.
std::vector<uint8_t> Zlib(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> z = {0x78, 0x01};
    size_t at = 0;
    do {
        size_t len = raw.size() - at < kStoredBlockMax ? raw.size() - at : kStoredBlockMax;
        z.push_back(at + len == raw.size() ? 1 : 0);
        z.push_back(static_cast<uint8_t>(len));
        z.push_back(static_cast<uint8_t>(len >> 8));
        z.push_back(static_cast<uint8_t>(~len));
        z.push_back(static_cast<uint8_t>(~len >> 8));
        z.insert(z.end(), raw.begin() + static_cast<long>(at), raw.begin() + static_cast<long>(at + len));
        at += len;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBe32(z, b << 16 | a);
    return z;
}

std::vector<uint8_t> Png(const sdlhost::IconPixels& icon) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> header;
    PutBe32(header, static_cast<uint32_t>(icon.width));
    PutBe32(header, static_cast<uint32_t>(icon.height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, no interlace
    PutChunk(out, "IHDR", header);
    std::vector<uint8_t> raw;
    for (int y = 0; y < icon.height; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < icon.width; ++x) {
            uint32_t p = icon.argb[static_cast<size_t>(y) * icon.width + x];
            raw.insert(raw.end(), {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8),
                                   static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 24)});
        }
    }
    PutChunk(out, "IDAT", Zlib(raw));
    PutChunk(out, "IEND", {});
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: icon_png ICO PNG\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::vector<uint8_t> ico((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (ico.size() < kIconDirSize) {
        std::fprintf(stderr, "icon_png: %s is not an icon file\n", argv[1]);
        return 1;
    }
    size_t count = sdlhost::icon::Le16(ico.data() + 4);
    sdlhost::IconPixels best;
    int bestScore = -1;
    for (size_t i = 0; i < count; ++i) {
        size_t entry = kIconDirSize + i * kIconEntrySize;
        if (entry + kIconEntrySize > ico.size()) break;
        uint32_t bytes = sdlhost::icon::Le32(ico.data() + entry + 8);
        uint32_t offset = sdlhost::icon::Le32(ico.data() + entry + 12);
        if (offset > ico.size() || bytes > ico.size() - offset) continue;
        sdlhost::IconPixels candidate;
        if (!sdlhost::DecodeIconImage(ico.data() + offset, bytes, &candidate)) continue;
        int score = sdlhost::IconPreference(candidate);
        if (score > bestScore) {
            bestScore = score;
            best = std::move(candidate);
        }
    }
    if (bestScore < 0) {
        std::fprintf(stderr, "icon_png: no usable image in %s\n", argv[1]);
        return 1;
    }
    std::vector<uint8_t> png = Png(best);
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return out ? 0 : 1;
}
