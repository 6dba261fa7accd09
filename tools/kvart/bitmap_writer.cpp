#include <fstream>

#include "picture.h"
#include "../common/little_endian.h"

namespace kvart {
namespace {

constexpr int kMaxRun = 255;
// An absolute run of 255 pixels is valid, but Wine's reader steps over none
// of its bytes and reads its pixels as codes, as if the padded length 256
// had wrapped to 0 in a byte. Runs of at most 254 read the same everywhere.
constexpr int kMaxAbsolute = 254;
constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPaletteSize = 256 * 4;
constexpr uint32_t kRle8 = 1;

void EncodeRow(const uint8_t* row, int width, std::vector<uint8_t>& out) {
    int x = 0;
    while (x < width) {
        int run = 1;
        while (x + run < width && run < kMaxRun && row[x + run] == row[x]) ++run;
        if (run >= 2) {
            out.push_back(static_cast<uint8_t>(run));
            out.push_back(row[x]);
            x += run;
            continue;
        }
        // Collect single pixels up to the next pair of equal ones.
        int literal = 1;
        while (x + literal < width && literal < kMaxAbsolute &&
               !(x + literal + 1 < width && row[x + literal] == row[x + literal + 1]))
            ++literal;
        if (literal < 3) {
            for (int i = 0; i < literal; ++i) {
                out.push_back(1);
                out.push_back(row[x + i]);
            }
        } else {
            out.push_back(0);
            out.push_back(static_cast<uint8_t>(literal));
            out.insert(out.end(), row + x, row + x + literal);
            if (literal & 1) out.push_back(0);
        }
        x += literal;
    }
}

}  // namespace

std::vector<uint8_t> EncodeRle8(const Picture& picture) {
    std::vector<uint8_t> out;
    for (int y = picture.height - 1; y >= 0; --y) {
        EncodeRow(&picture.pixels[static_cast<size_t>(y) * picture.width], picture.width, out);
        out.push_back(0);
        out.push_back(y == 0 ? 1 : 0);
    }
    return out;
}

bool WriteBitmap(const std::string& path, const Picture& picture) {
    std::vector<uint8_t> rle = EncodeRle8(picture);
    std::vector<uint8_t> out;
    uint32_t offBits = kFileHeaderSize + kInfoHeaderSize + kPaletteSize;
    out.push_back('B');
    out.push_back('M');
    PutDword(out, offBits + static_cast<uint32_t>(rle.size()));
    PutDword(out, 0);
    PutDword(out, offBits);
    PutDword(out, kInfoHeaderSize);
    PutDword(out, static_cast<uint32_t>(picture.width));
    PutDword(out, static_cast<uint32_t>(picture.height));
    PutWord(out, 1);
    PutWord(out, 8);
    PutDword(out, kRle8);
    PutDword(out, static_cast<uint32_t>(rle.size()));
    PutDword(out, static_cast<uint32_t>(picture.pelsPerMeter));
    PutDword(out, static_cast<uint32_t>(picture.pelsPerMeter));
    PutDword(out, 256);
    PutDword(out, 256);
    for (const Rgb& c : picture.palette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    out.insert(out.end(), rle.begin(), rle.end());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

}  // namespace kvart
