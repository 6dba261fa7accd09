// ParseWave over arbitrary bytes: whatever it finds must lie inside them.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "sound/wave.h"

namespace {

// DirectSound reads this much of the format record it is handed.
constexpr size_t kFormatReadBytes = 16;

void Check(bool condition) {
    if (!condition) std::abort();
}

bool Inside(const uint8_t* begin, size_t size, const void* at, size_t length) {
    const uint8_t* p = static_cast<const uint8_t*>(at);
    return p >= begin && size_t(p - begin) <= size && length <= size - size_t(p - begin);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy, so that a read past the end leaves the allocation.
    std::vector<uint8_t> image(data, data + size);
    const uint8_t* begin = image.data();
    WAVEFORMATEX* format = nullptr;
    BYTE* samples = nullptr;
    DWORD length = 0;
    bool found = ParseWave(begin, DWORD(size), &format, &samples, &length);
    if (found) {
        Check(format != nullptr && samples != nullptr);
        Check(Inside(begin, size, format, kFormatReadBytes));
        Check(Inside(begin, size, samples, length));
        // Touch every byte handed out, as the buffer fill would.
        volatile uint32_t sum = 0;
        for (DWORD i = 0; i < length; ++i) sum = sum + samples[i];
        WAVEFORMATEX copy;
        std::memcpy(&copy, format, kFormatReadBytes);
    }
    // Each output on its own.
    DWORD onlyLength = 0;
    if (ParseWave(begin, DWORD(size), nullptr, nullptr, &onlyLength)) Check(onlyLength <= size);
    WAVEFORMATEX* onlyFormat = nullptr;
    if (ParseWave(begin, DWORD(size), &onlyFormat, nullptr, nullptr))
        Check(Inside(begin, size, onlyFormat, kFormatReadBytes));
    return 0;
}
