// RIFF WAVE files: "fmt " at offset 12, "data" at 36, then any further chunks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kvart {

struct Chunk {
    std::string id;   // four characters
    std::vector<uint8_t> body;
};

struct Wave {
    uint32_t sampleRate = 22050;
    uint16_t bitsPerSample = 16;
    std::vector<uint8_t> data;    // the samples as stored
    std::vector<Chunk> trailing;  // chunks after "data"
    bool strayByte = false;       // one byte after the RIFF image
};

// A wave of mono PCM from samples in -1..1: 16-bit signed or 8-bit unsigned.
Wave PcmWave(uint32_t sampleRate, const std::vector<float>& samples, uint16_t bitsPerSample = 16);

// A "LIST" chunk of type "INFO" whose body is exactly bodySize bytes.
Chunk InfoList(uint32_t bodySize, const std::string& name);

bool WriteWave(const std::string& path, const Wave& wave);

}  // namespace kvart
