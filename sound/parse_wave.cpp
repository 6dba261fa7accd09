// ParseWave: the walk over a RIFF WAVE image's chunks.
#include <cstdint>
#include <cstring>

#include "sound/wave.h"

namespace {

constexpr uint64_t kHeaderBytes = 12;   // "RIFF", the length, "WAVE"
constexpr uint64_t kChunkHeaderBytes = 8;
constexpr uint64_t kRiffPreamble = 8;   // the RIFF length counts from here
constexpr DWORD kShortestFormat = 14;
// DirectSound reads this much of the format record, so it must lie inside the
// image even when the chunk is shorter.
constexpr uint64_t kFormatReadBytes = 16;

uint32_t Word(const BYTE* at) {
    return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

bool Is(const BYTE* at, const char* fourcc) { return std::memcmp(at, fourcc, 4) == 0; }

}  // namespace

// The walk ends at the RIFF length, like the images' own readers, but also at
// the image's true size: a chunk that runs past the bytes we were given is
// rejected rather than read.
bool ParseWave(const void* image, DWORD imageSize, WAVEFORMATEX** format, BYTE** data, DWORD* dataSize) {
    if (format != nullptr) *format = nullptr;
    if (data != nullptr) *data = nullptr;
    if (dataSize != nullptr) *dataSize = 0;
    if (image == nullptr || imageSize < kHeaderBytes) return false;

    BYTE* bytes = static_cast<BYTE*>(const_cast<void*>(image));
    if (!Is(bytes, "RIFF") || !Is(bytes + 8, "WAVE")) return false;
    const uint64_t end = kRiffPreamble + Word(bytes + 4);
    uint64_t pos = kHeaderBytes;
    while (pos < end) {
        if (pos + kChunkHeaderBytes > imageSize) return false;
        const BYTE* header = bytes + pos;
        const DWORD length = Word(header + 4);
        const uint64_t body = pos + kChunkHeaderBytes;
        if (Is(header, "fmt ") && format != nullptr && *format == nullptr) {
            if (length < kShortestFormat) return false;
            if (body + length > imageSize || body + kFormatReadBytes > imageSize) return false;
            *format = reinterpret_cast<WAVEFORMATEX*>(bytes + body);
            if ((data == nullptr || *data != nullptr) && (dataSize == nullptr || *dataSize != 0)) return true;
        } else if (Is(header, "data") &&
                   ((data != nullptr && *data == nullptr) || (dataSize != nullptr && *dataSize == 0))) {
            if (body + length > imageSize) return false;
            if (data != nullptr) *data = bytes + body;
            if (dataSize != nullptr) *dataSize = length;
            if (format == nullptr || *format != nullptr) return true;
        }
        pos = body + length + (length & 1u);
    }
    return false;
}
