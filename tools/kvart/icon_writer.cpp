// kalvenor.ico: a small waving flag on its pole on a transparent ground, in
// the five image formats the program's icon group lists.
#include <fstream>
#include <vector>

#include "art.h"
#include "flag_icon.h"
#include "../common/little_endian.h"

namespace kvart {
namespace {

struct IconFormat {
    int size;
    int bits;
};

constexpr IconFormat kFormats[] = {{32, 4}, {32, 8}, {32, 1}, {16, 4}, {48, 8}};

// The sixteen colours of the classic 4-bit palette.
constexpr Rgb kSixteen[16] = {{0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                              {0, 0, 128},   {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                              {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
                              {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

int Nearest(const std::vector<Rgb>& palette, Rgb c) {
    int best = 0;
    long bestDistance = 1L << 30;
    for (size_t i = 0; i < palette.size(); ++i) {
        long dr = palette[i].r - c.r, dg = palette[i].g - c.g, db = palette[i].b - c.b;
        long distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

std::vector<uint8_t> EncodeImage(const IconFormat& f) {
    FlagDrawing d = DrawFlag(f.size);
    std::vector<Rgb> palette;
    if (f.bits == 1) palette = {{0, 0, 0}, {255, 255, 255}};
    else palette.assign(kSixteen, kSixteen + 16);
    if (f.bits == 8)
        for (int i = 16; i < 256; ++i) {
            uint8_t v = static_cast<uint8_t>((i - 16) * 255 / 239);
            palette.push_back({v, v, v});
        }
    std::vector<uint8_t> out;
    int colourRow = ((f.size * f.bits + 31) / 32) * 4;
    int maskRow = ((f.size + 31) / 32) * 4;
    PutDword(out, 40);
    PutDword(out, f.size);
    PutDword(out, f.size * 2);
    PutWord(out, 1);
    PutWord(out, static_cast<uint16_t>(f.bits));
    PutDword(out, 0);
    PutDword(out, static_cast<uint32_t>((colourRow + maskRow) * f.size));
    PutDword(out, 0);
    PutDword(out, 0);
    PutDword(out, 0);
    PutDword(out, 0);
    for (const Rgb& c : palette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = f.size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(colourRow, 0);
        for (int x = 0; x < f.size; ++x) {
            if (d.alpha[y * f.size + x] == 0) continue;
            int index = Nearest(palette, d.colour[y * f.size + x]);
            int bit = x * f.bits;
            row[bit / 8] |= static_cast<uint8_t>(index << (8 - f.bits - bit % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = f.size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskRow, 0);
        for (int x = 0; x < f.size; ++x)
            if (d.alpha[y * f.size + x] == 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

bool WriteIcon(const std::string& path) {
    constexpr int count = sizeof kFormats / sizeof kFormats[0];
    std::vector<std::vector<uint8_t>> images;
    for (const IconFormat& f : kFormats) images.push_back(EncodeImage(f));
    std::vector<uint8_t> out;
    PutWord(out, 0);
    PutWord(out, 1);
    PutWord(out, count);
    uint32_t offset = 6 + 16 * count;
    for (int i = 0; i < count; ++i) {
        const IconFormat& f = kFormats[i];
        out.push_back(static_cast<uint8_t>(f.size));
        out.push_back(static_cast<uint8_t>(f.size));
        out.push_back(static_cast<uint8_t>(f.bits >= 8 ? 0 : 1 << f.bits));
        out.push_back(0);
        PutWord(out, 1);
        PutWord(out, static_cast<uint16_t>(f.bits));
        PutDword(out, static_cast<uint32_t>(images[i].size()));
        PutDword(out, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

}  // namespace kvart
