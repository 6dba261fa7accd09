// Appending little-endian words to a byte image, as every Windows file and
// resource format the tools write wants them.
#pragma once

#include <cstdint>
#include <vector>

inline void PutWord(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void PutDword(std::vector<uint8_t>& out, uint32_t value) {
    PutWord(out, static_cast<uint16_t>(value & 0xFFFF));
    PutWord(out, static_cast<uint16_t>(value >> 16));
}
