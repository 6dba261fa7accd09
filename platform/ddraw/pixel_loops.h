// The plain 16-bit pixel loops behind the DirectDraw blits. Callers have
// already checked every rectangle against both surfaces; pitches are in bytes.
#pragma once

#include <cstdint>

namespace pixels {

void Copy(uint16_t* dst, int32_t dstPitch, const uint16_t* src, int32_t srcPitch, int width,
          int height);
// Copies every pixel that differs from key; a key above 0xFFFF matches none.
void CopyKeyed(uint16_t* dst, int32_t dstPitch, const uint16_t* src, int32_t srcPitch, int width,
               int height, uint32_t key);
void Fill(uint16_t* dst, int32_t dstPitch, int width, int height, uint16_t value);
// Nearest-neighbour scaling of a srcWidth x srcHeight block onto a
// dstWidth x dstHeight one; mirrorUpDown puts the source's bottom row on top.
void Stretch(uint16_t* dst, int32_t dstPitch, int dstWidth, int dstHeight, const uint16_t* src,
             int32_t srcPitch, int srcWidth, int srcHeight, bool mirrorUpDown);

}  // namespace pixels
