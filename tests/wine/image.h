// 24-bit pictures as binary PPM files, and the 16-bit precision they are
// compared at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wine_check {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // top row first, three bytes a pixel

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    // The pixel cut to 5-6-5 bits, as the game's 16-bit screen holds it.
    uint16_t At565(int x, int y) const;
};

Image MakeImage(int width, int height);
void SetPixel(Image& image, int x, int y, uint8_t r, uint8_t g, uint8_t b);
// A 16-bit screen pixel widened to 24 bits, each channel's top bits repeated
// below, as X servers widen a 16-bit frame.
void Set565(Image& image, int x, int y, uint16_t pixel, bool is555);

// False on anything but a whole 8-bit binary PPM.
bool ReadPpm(const std::string& path, Image& image);
bool WritePpm(const std::string& path, const Image& image);

}  // namespace wine_check
