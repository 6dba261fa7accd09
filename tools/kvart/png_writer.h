// PNG files of 8-bit RGBA pixels, compressed with zlib.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kvart {

// rgba: width * height * 4 bytes, top row first.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba);

}  // namespace kvart
