// PackRGB565 and PackRGB555: each channel keeps its top bits.
#include "effects/pixel_pack.h"

int32_t PackRGB565(uint32_t colour) {
    const uint32_t r = (colour >> 16) & 255, g = (colour >> 8) & 255, b = colour & 255;
    return static_cast<int32_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

int32_t PackRGB555(uint32_t colour) {
    const uint32_t r = (colour >> 16) & 255, g = (colour >> 8) & 255, b = colour & 255;
    return static_cast<int32_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
}
