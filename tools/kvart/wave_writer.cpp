#include "wave_writer.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include "../common/little_endian.h"

namespace kvart {
namespace {

constexpr uint16_t kPcm = 1;
constexpr uint32_t kFmtSize = 16;
// "INFO" plus the software entry's header and its text.
constexpr char kSoftware[] = "kvart";

void PutId(std::vector<uint8_t>& out, const std::string& id) { out.insert(out.end(), id.begin(), id.begin() + 4); }

void PutChunk(std::vector<uint8_t>& out, const std::string& id, const std::vector<uint8_t>& body) {
    PutId(out, id);
    PutDword(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() & 1) out.push_back(0);
}

void PutInfoEntry(std::vector<uint8_t>& out, const std::string& id, const std::string& text, size_t size) {
    std::vector<uint8_t> body(text.begin(), text.end());
    body.resize(size, 0);
    PutChunk(out, id, body);
}

}  // namespace

Wave PcmWave(uint32_t sampleRate, const std::vector<float>& samples, uint16_t bitsPerSample) {
    Wave wave;
    wave.sampleRate = sampleRate;
    wave.bitsPerSample = bitsPerSample;
    for (float s : samples) {
        float v = std::clamp(s, -1.0f, 1.0f);
        if (bitsPerSample == 8) {
            wave.data.push_back(static_cast<uint8_t>(std::lround(128.0f + v * 127.0f)));
        } else {
            PutWord(wave.data, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767.0f))));
        }
    }
    return wave;
}

Chunk InfoList(uint32_t bodySize, const std::string& name) {
    Chunk list{"LIST", {}};
    PutId(list.body, "INFO");
    PutInfoEntry(list.body, "ISFT", kSoftware, sizeof kSoftware + 1);
    // The name entry takes up what is left, so the list has its exact size.
    size_t used = list.body.size() + 8;
    size_t rest = bodySize > used ? bodySize - used : 1;
    PutInfoEntry(list.body, "INAM", name, rest);
    return list;
}

bool WriteWave(const std::string& path, const Wave& wave) {
    std::vector<uint8_t> body;
    PutId(body, "WAVE");
    std::vector<uint8_t> fmt;
    uint16_t blockAlign = wave.bitsPerSample / 8;
    PutWord(fmt, kPcm);
    PutWord(fmt, 1);
    PutDword(fmt, wave.sampleRate);
    PutDword(fmt, wave.sampleRate * blockAlign);
    PutWord(fmt, blockAlign);
    PutWord(fmt, wave.bitsPerSample);
    fmt.resize(kFmtSize);
    PutChunk(body, "fmt ", fmt);
    PutChunk(body, "data", wave.data);
    for (const Chunk& chunk : wave.trailing) PutChunk(body, chunk.id, chunk.body);
    std::vector<uint8_t> out;
    PutId(out, "RIFF");
    PutDword(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (wave.strayByte) out.push_back(0);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

}  // namespace kvart
