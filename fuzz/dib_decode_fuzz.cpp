// Any bytes, as a packed DIB and as a bitmap file: the decoder accepts a whole
// picture of the size it claims, or refuses, and never reads past the input.
#include <cstdint>
#include <cstdlib>

#include "platform/ddraw/dib_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::DecodedImage image;
    if (platform::DecodeDib(data, size, image) &&
        image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
        std::abort();
    platform::DecodedImage file;
    if (platform::DecodeBitmapFile(data, size, file) &&
        file.pixels.size() != static_cast<size_t>(file.width) * static_cast<size_t>(file.height))
        std::abort();
    return 0;
}
