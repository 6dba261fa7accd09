// TranslucentBox: average a colour into every pixel of a rectangle of the
// back buffer, in place.
#include "effects/translucent_box.h"

#include "display/blit.h"
#include "display/display.h"
#include "effects/pixel_pack.h"

namespace {

// The average of two pixels, all three channels at once: half of each plus
// the carry of the two low bits, with the bits that would cross into the
// neighbouring channel masked off.
struct Layout {
    uint16_t halfMask;
    uint16_t lowBits;
};
constexpr Layout k565{0x7BEF, 0x0821};
constexpr Layout k555{0x3DEF, 0x0421};

// The carry term is zero for every pixel when the colour's low channel bits
// are (black, the statistics box's colour): the loop then skips it.
template <bool kCarry>
uint16_t Average(uint16_t p, uint16_t colourHalf, uint16_t colourLow, uint16_t halfMask) {
    const uint16_t half = static_cast<uint16_t>(((p >> 1) & halfMask) + colourHalf);
    return kCarry ? static_cast<uint16_t>(half + (p & colourLow)) : half;
}

template <bool kCarry>
void AverageRow(uint16_t* __restrict row, int count, uint16_t colourHalf, uint16_t colourLow, uint16_t halfMask) {
    // Fixed-size blocks, so that the compiler turns each into vector code.
    constexpr int kBlock = 16;
    int x = 0;
    for (; x + kBlock <= count; x += kBlock) {
        uint16_t* block = row + x;
        for (int i = 0; i < kBlock; ++i) block[i] = Average<kCarry>(block[i], colourHalf, colourLow, halfMask);
    }
    for (; x < count; ++x) row[x] = Average<kCarry>(row[x], colourHalf, colourLow, halfMask);
}

void AverageRow(uint16_t* row, int count, uint16_t colour, Layout layout) {
    const uint16_t colourHalf = static_cast<uint16_t>((colour >> 1) & layout.halfMask);
    const uint16_t colourLow = static_cast<uint16_t>(colour & layout.lowBits);
    if (colourLow == 0)
        AverageRow<false>(row, count, colourHalf, colourLow, layout.halfMask);
    else
        AverageRow<true>(row, count, colourHalf, colourLow, layout.halfMask);
}

}  // namespace

HRESULT TranslucentBox(LONG left, LONG top, LONG right, LONG bottom, uint32_t colour) {
    RECT r{left, top, right, bottom};
    if (!ClampRectToScreen(r)) return DD_OK;
    if (BackBuffer == nullptr) return DDERR_GENERIC;
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    const HRESULT hr = BackBuffer->Lock(NULL, &desc, DDLOCK_WAIT, NULL);
    if (FAILED(hr)) return hr;
    const bool is555 = ActiveDisplay != nullptr && ActiveDisplay->is555;
    const Layout layout = is555 ? k555 : k565;
    const uint16_t packed = static_cast<uint16_t>(is555 ? PackRGB555(colour) : PackRGB565(colour));
    // The clamp keeps the rectangle on the screen; the surface may still be
    // smaller than that.
    const LONG width = static_cast<LONG>(desc.dwWidth), height = static_cast<LONG>(desc.dwHeight);
    const LONG x1 = r.right < width ? r.right : width;
    const LONG y1 = r.bottom < height ? r.bottom : height;
    auto* base = static_cast<uint8_t*>(desc.lpSurface);
    for (LONG y = r.top; y < y1; ++y)
        if (x1 > r.left)
            AverageRow(reinterpret_cast<uint16_t*>(base + static_cast<intptr_t>(y) * desc.lPitch) + r.left,
                       x1 - r.left, packed, layout);
    return BackBuffer->Unlock(NULL);
}
