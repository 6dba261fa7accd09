// The mixer's cost: one second of 44100 Hz output with the game's eight
// sounds playing at their own rates, against a plain loop that sums eight
// 16-bit streams with saturation. Prints the ratio and the share of a core.
#define DIRECTSOUND_VERSION 0x0300
#include <windows.h>
#include <dsound.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/host_events.h"

namespace {

constexpr int kDeviceRate = 44100;
constexpr int kCallbackFrames = 512;  // what the SDL host asks its device for
constexpr int kStreams = 8;

struct Source {
    uint32_t rate;
    uint16_t bits;
};
// The game's sounds: five at 22050 Hz, two at 16000 Hz, the 8-bit intro.
constexpr Source kSources[kStreams] = {{22050, 16}, {22050, 16}, {22050, 16}, {22050, 16},
                                       {22050, 16}, {16000, 16}, {16000, 16}, {11025, 8}};

void PlainSum(benchmark::State& state) {
    std::vector<std::vector<int16_t>> streams(kStreams, std::vector<int16_t>(kDeviceRate));
    for (int s = 0; s < kStreams; ++s)
        for (int i = 0; i < kDeviceRate; ++i)
            streams[size_t(s)][size_t(i)] = int16_t(8000 * std::sin(0.01 * (s + 1) * i));
    std::vector<int16_t> out(kDeviceRate);
    for (auto _ : state) {
        for (int start = 0; start < kDeviceRate; start += kCallbackFrames) {
            int end = std::min(kDeviceRate, start + kCallbackFrames);
            for (int i = start; i < end; ++i) {
                int32_t sum = 0;
                for (int s = 0; s < kStreams; ++s) sum += streams[size_t(s)][size_t(i)];
                out[size_t(i)] = int16_t(std::clamp(sum, -32768, 32767));
            }
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}

LPDIRECTSOUNDBUFFER LoopingBuffer(LPDIRECTSOUND ds, const Source& source, int index) {
    uint16_t block = source.bits / 8;
    WAVEFORMATEX format = {WAVE_FORMAT_PCM, 1, source.rate, source.rate * block, block, source.bits, 0};
    DWORD bytes = source.rate * block;  // one second
    DSBUFFERDESC desc = {sizeof(DSBUFFERDESC), DSBCAPS_STATIC, bytes, 0, &format};
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    if (FAILED(ds->CreateSoundBuffer(&desc, &buffer, nullptr))) return nullptr;
    void* p1 = nullptr;
    DWORD n1 = 0;
    buffer->Lock(0, bytes, &p1, &n1, nullptr, nullptr, 0);
    auto* b = static_cast<uint8_t*>(p1);
    for (DWORD i = 0; i < bytes / block; ++i) {
        double v = std::sin(0.02 * (index + 1) * i);
        if (source.bits == 8) b[i] = uint8_t(128 + 60 * v);
        else {
            int16_t s = int16_t(8000 * v);
            std::memcpy(b + 2 * i, &s, 2);
        }
    }
    buffer->Unlock(p1, n1, nullptr, 0);
    buffer->Play(0, 0, DSBPLAY_LOOPING);
    return buffer;
}

void Mixer(benchmark::State& state) {
    LPDIRECTSOUND ds = nullptr;
    if (FAILED(DirectSoundCreate(nullptr, &ds, nullptr))) {
        state.SkipWithError("no sound device");
        return;
    }
    std::vector<LPDIRECTSOUNDBUFFER> buffers;
    for (int i = 0; i < kStreams; ++i) buffers.push_back(LoopingBuffer(ds, kSources[i], i));
    std::vector<int16_t> out(kDeviceRate);
    for (auto _ : state) {
        for (int start = 0; start < kDeviceRate; start += kCallbackFrames)
            platform::MixAudio(out.data() + start, std::min(kCallbackFrames, kDeviceRate - start), kDeviceRate);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    for (LPDIRECTSOUNDBUFFER b : buffers)
        if (b != nullptr) b->Release();
    ds->Release();
}

BENCHMARK(PlainSum)->Unit(benchmark::kMicrosecond);
BENCHMARK(Mixer)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's CPU time per iteration for the summary: on a shared
// machine the wall clock also counts other people's work.
class Collector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration) seconds[run.run_name.function_name] = run.GetAdjustedCPUTime() / 1e6;
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    auto plain = collector.seconds.find("PlainSum");
    auto mixer = collector.seconds.find("Mixer");
    if (plain == collector.seconds.end() || mixer == collector.seconds.end() || plain->second <= 0) return 0;
    std::printf("mixer / plain sum of eight streams: %.2fx\n", mixer->second / plain->second);
    std::printf("mixer share of one core for 1 s of %d Hz output: %.3f%%\n", kDeviceRate, mixer->second * 100.0);
    return 0;
}
