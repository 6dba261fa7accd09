// Colour values (0x00RRGGBB) packed into the display's 16-bit layouts.
#pragma once

#include <cstdint>

int32_t PackRGB565(uint32_t colour);
int32_t PackRGB555(uint32_t colour);
