// Icon images as the SDL host decodes them for the window icon: any bytes
// must be refused or decoded without reading past them.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/sdl/icon_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly the input, so a read past its end is caught.
    std::vector<uint8_t> bytes(data, data + size);
    sdlhost::IconPixels icon;
    if (sdlhost::DecodeIconImage(bytes.data(), bytes.size(), &icon)) {
        if (icon.argb.size() != static_cast<size_t>(icon.width) * icon.height) __builtin_trap();
        sdlhost::IconPreference(icon);
    }
    return 0;
}
