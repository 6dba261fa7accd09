// The pictures' run-length streams avoid absolute runs of 255 pixels: valid,
// but Wine reads the bytes of such a run again as codes, which striped the
// intro picture's dither and wiped its framed picture.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr size_t kPixelsAt = 40 + 256 * 4;
constexpr unsigned kLongestPortableAbsolute = 254;

std::vector<uint8_t> Resource(LPCSTR name) {
    HRSRC found = FindResourceA(NULL, name, RT_BITMAP);
    if (found == NULL) return {};
    const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(NULL, found)));
    if (data == nullptr) return {};
    return std::vector<uint8_t>(data, data + SizeofResource(NULL, found));
}

struct Runs {
    unsigned longestAbsolute = 0;
    bool reachedEnd = false;
};

// Walks the codes only; the pixels are checked by the asset tests.
Runs Scan(const std::vector<uint8_t>& b) {
    Runs runs;
    size_t at = kPixelsAt;
    while (at + 2 <= b.size()) {
        const uint8_t count = b[at];
        const uint8_t value = b[at + 1];
        at += 2;
        if (count > 0 || value == 0) continue;
        if (value == 1) {
            runs.reachedEnd = true;
            break;
        }
        if (value == 2) {
            at += 2;
            continue;
        }
        if (value > runs.longestAbsolute) runs.longestAbsolute = value;
        at += value + (value & 1u);
    }
    return runs;
}

TEST(ResourceBitmapRuns, NoAbsoluteRunIsLongerThan254Pixels) {
    for (const char* name : {"FONTS", "SPRITES", "DESERT", "INTROPIC", "VILLAIN", "PRESIDENT"}) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> bitmap = Resource(name);
        ASSERT_GT(bitmap.size(), kPixelsAt);
        const Runs runs = Scan(bitmap);
        EXPECT_TRUE(runs.reachedEnd);
        EXPECT_LE(runs.longestAbsolute, kLongestPortableAbsolute);
    }
}

}  // namespace
