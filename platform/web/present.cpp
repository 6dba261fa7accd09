// Showing a frame: each 16-bit pixel becomes canvas RGBA through a table
// made once per pixel layout.
#include <cstdint>
#include <vector>

#include "platform/host.h"
#include "platform/web/browser.h"
#include "platform/web/touch_tap.h"
#include "platform/web/web_host.h"

namespace webhost {

namespace {

constexpr int kPixelValues = 1 << 16;
constexpr uint32_t kOpaque = 0xFF000000u;

// Widen a channel of `bits` bits to 8, repeating its high bits below so that
// full scale stays full.
uint32_t Widen(uint32_t value, int bits) { return (value << (8 - bits)) | (value >> (2 * bits - 8)); }

struct Converter {
    bool built = false;
    bool is555 = false;
    std::vector<uint32_t> table;  // RGBA bytes as a little-endian word
    std::vector<uint32_t> rgba;   // the canvas's pixels

    void Build(bool for555) {
        table.resize(kPixelValues);
        for (uint32_t p = 0; p < kPixelValues; ++p) {
            uint32_t r, g, b;
            if (for555) {
                r = Widen((p >> 10) & 0x1F, 5);
                g = Widen((p >> 5) & 0x1F, 5);
            } else {
                r = Widen((p >> 11) & 0x1F, 5);
                g = Widen((p >> 5) & 0x3F, 6);
            }
            b = Widen(p & 0x1F, 5);
            table[p] = kOpaque | (b << 16) | (g << 8) | r;
        }
        is555 = for555;
        built = true;
    }
};

Converter gConverter;

}  // namespace

}  // namespace webhost

namespace host {

void PresentFrame(const uint16_t* pixels, int32_t pitchBytes, int width, int height, bool is555) {
    using webhost::gConverter;
    if (!pixels || width != webhost::kFrameWidth || height != webhost::kFrameHeight || pitchBytes < width * 2) return;
    if (!gConverter.built || gConverter.is555 != is555) gConverter.Build(is555);
    gConverter.rgba.resize(static_cast<size_t>(width) * height);
    const uint32_t* table = gConverter.table.data();
    uint32_t* out = gConverter.rgba.data();
    const auto* row = reinterpret_cast<const uint8_t*>(pixels);
    for (int y = 0; y < height; ++y, row += pitchBytes) {
        const auto* in = reinterpret_cast<const uint16_t*>(row);
        for (int x = 0; x < width; ++x) *out++ = table[in[x]];
    }
    kv_present(reinterpret_cast<const uint8_t*>(gConverter.rgba.data()));
    webhost::FramePresented();
    webhost::TapFramePresented();
}

}  // namespace host
