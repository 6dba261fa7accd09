// RIFF WAVE images built in memory chunk by chunk, and PCM sample bytes, for
// the sound tests and the fuzz seeds.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "tools/common/little_endian.h"

namespace kalvenor_test {

// A 16-byte PCM "fmt " body.
inline std::vector<uint8_t> PcmFormatBody(uint16_t channels, uint32_t rate, uint16_t bits) {
    std::vector<uint8_t> body;
    uint16_t block = uint16_t(channels * bits / 8);
    PutWord(body, 1);
    PutWord(body, channels);
    PutDword(body, rate);
    PutDword(body, rate * block);
    PutWord(body, block);
    PutWord(body, bits);
    return body;
}

inline std::vector<uint8_t> Pcm16(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> bytes(samples.size() * 2);
    std::memcpy(bytes.data(), samples.data(), bytes.size());
    return bytes;
}

class WaveImage {
public:
    WaveImage() {
        bytes_ = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    }

    // A chunk with its pad byte when the body is odd; `length` other than
    // the body's size writes a lying length field.
    WaveImage& Chunk(const char* id, const std::vector<uint8_t>& body, int64_t length = -1) {
        bytes_.insert(bytes_.end(), id, id + 4);
        PutDword(bytes_, uint32_t(length >= 0 ? uint64_t(length) : body.size()));
        bytes_.insert(bytes_.end(), body.begin(), body.end());
        if (body.size() % 2 != 0) bytes_.push_back(0);
        return *this;
    }
    WaveImage& Format(uint16_t channels = 1, uint32_t rate = 22050, uint16_t bits = 16) {
        return Chunk("fmt ", PcmFormatBody(channels, rate, bits));
    }
    WaveImage& Data(const std::vector<uint8_t>& samples) { return Chunk("data", samples); }
    // Bytes after the RIFF image that its length does not count.
    WaveImage& Trailing(const std::vector<uint8_t>& extra) {
        trailing_ = extra;
        return *this;
    }
    WaveImage& RiffLength(uint32_t length) {
        riffLength_ = int64_t(length);
        return *this;
    }

    size_t Size() const { return bytes_.size(); }

    std::vector<uint8_t> Bytes() const {
        std::vector<uint8_t> out = bytes_;
        uint32_t length = riffLength_ >= 0 ? uint32_t(riffLength_) : uint32_t(out.size() - 8);
        for (int i = 0; i < 4; ++i) out[4 + i] = uint8_t(length >> (8 * i));
        out.insert(out.end(), trailing_.begin(), trailing_.end());
        return out;
    }

private:
    std::vector<uint8_t> bytes_;
    std::vector<uint8_t> trailing_;
    int64_t riffLength_ = -1;
};

}  // namespace kalvenor_test
