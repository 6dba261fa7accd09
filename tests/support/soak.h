// A long headless game under random play and random platform faults, with
// the game's invariants checked after every presented frame.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kalvenor_test {

enum class SoakFault {
    SurfacesLost,     // every surface lost, Restore refused for a while
    StillDrawing,     // single DirectDraw calls answer "still drawing"
    SoundLost,        // every sound buffer loses its memory
    InputUnacquired,  // the devices lose acquisition, some Acquires refused
    Background,       // the window leaves the front and comes back
    TickWrap,         // the millisecond tick just short of its wrap
    FrameCountWrap,   // frameCount just short of its wrap
    MessageBurst,     // a thousand harmless window messages at once
    Count
};
constexpr size_t kSoakFaultKinds = static_cast<size_t>(SoakFault::Count);
const char* SoakFaultName(SoakFault fault);

struct SoakOptions {
    uint32_t frames = 50000;
    uint32_t seed = 1;
    // Frames of play after which resident memory must stop growing.
    uint32_t warmupFrames = 6000;
    // Allocator noise allowed on top of the memory after the warm-up.
    long memorySlackKiB = 1024;
    bool checkMemory = true;
};

struct SoakReport {
    uint32_t framesRun = 0;
    std::array<uint64_t, kSoakFaultKinds> faults{};
    uint64_t checksPassed = 0;
    std::vector<std::string> failures;  // the first few, with their frame
    uint64_t failureCount = 0;
    long memoryStartKiB = 0;
    long memoryWarmKiB = 0;
    long memoryEndKiB = 0;
    int exitCode = -1;
};

SoakReport RunSoak(const SoakOptions& options);
std::string FormatSoakReport(const SoakReport& report);

}  // namespace kalvenor_test
