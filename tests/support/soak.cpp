#include "support/soak.h"

#include <windows.h>
#include <dinput.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <sstream>
#include <unistd.h>

#include "app/app.h"
#include "app/static_objects.h"
#include "display/display.h"
#include "game/game.h"
#include "platform/faults.h"
#include "platform/host_events.h"
#include "platform/inspect.h"
#include "support/game_run.h"
#include "support/resident_memory.h"
#include "support/soak_checks.h"

namespace kalvenor_test {
namespace {

constexpr uint32_t kFaultOneIn = 400;        // chance per frame of a new fault
constexpr uint32_t kQuietTail = 300;         // no faults this close to the end
constexpr uint32_t kFullCheckEvery = 97;     // frames between whole-frame scans
constexpr uint32_t kMemoryEvery = 1000;      // frames between memory samples
constexpr uint32_t kAudioKeptFrames = 100;   // frames between dropping mixed sound
constexpr int kMessageBurst = 1000;
constexpr size_t kFailuresKept = 20;
constexpr uint32_t kTickWrapLead = 200;      // ms before the tick wraps
constexpr uint32_t kFrameWrapLead = 100;     // frames before frameCount wraps
constexpr int kMaxRefusedRestores = 30;
constexpr int kMaxRefusedAcquires = 10;
constexpr int kMaxStillDrawing = 4;
constexpr int kMaxBackgroundPumps = 300;
constexpr int kLargeMotion = 4000;
constexpr int kSmallMotion = 40;

struct NoiseKey {
    uint32_t vk;
    uint8_t dik;
};
// Keys with and without a meaning on the intro screen; never Escape.
const NoiseKey kNoiseKeys[] = {
    {'A', DIK_A}, {'Q', DIK_Q}, {'Z', DIK_Z}, {'1', DIK_1}, {VK_SPACE, DIK_SPACE},
    {VK_RETURN, DIK_RETURN}, {VK_F3, DIK_F3}, {VK_F11, DIK_F11}, {VK_F1, DIK_F1},
};
constexpr size_t kNoiseKeyCount = sizeof(kNoiseKeys) / sizeof(kNoiseKeys[0]);

class Soak {
public:
    Soak(const SoakOptions& options, GameRun& run) : options_(options), run_(run), random_(options.seed) {}

    void OnFrame(uint32_t presented, const headless::Frame& frame);
    void OnPump();
    SoakReport& Report() { return report_; }
    void Finish();

private:
    uint32_t Roll(uint32_t below) { return std::uniform_int_distribution<uint32_t>(0, below - 1)(random_); }
    int32_t Between(int32_t low, int32_t high) { return std::uniform_int_distribution<int32_t>(low, high)(random_); }
    void Expect(uint32_t presented, const std::string& wrong);
    void Play(uint32_t presented);
    void Inject();
    void SampleMemory(uint32_t presented);

    const SoakOptions& options_;
    GameRun& run_;
    std::mt19937 random_;
    SoakReport report_;
    bool awaitingRestore_ = false;
    uint32_t checkUntil_ = 0;        // frames up to here are scanned whole
    uint32_t checkFrom_ = 0;
    int backgroundPumps_ = 0;        // pumps left before the window returns
    bool holdingEP_ = false;
    uint32_t releaseEPAt_ = 0;
    long memoryPeakAfterWarmKiB_ = 0;
    uint32_t injected_ = 0;
};

void Soak::Expect(uint32_t presented, const std::string& wrong) {
    if (wrong.empty()) {
        ++report_.checksPassed;
        return;
    }
    ++report_.failureCount;
    if (report_.failures.size() < kFailuresKept)
        report_.failures.push_back("frame " + std::to_string(presented) + ": " + wrong);
}

void Soak::OnFrame(uint32_t presented, const headless::Frame& frame) {
    report_.framesRun = presented;
    Expect(presented, CheckCursor());
    Expect(presented, CheckRounds());
    Expect(presented, CheckActors());
    Expect(presented, headless::MessageBoxes().empty() ? std::string() : "message box shown");
    if (awaitingRestore_ && SurfacesUsable()) {
        // This frame may have been drawn while restoring; the next ones
        // must be whole.
        awaitingRestore_ = false;
        checkFrom_ = presented + 1;
        checkUntil_ = presented + 2;
    }
    const bool scan = (presented >= checkFrom_ && presented <= checkUntil_) ||
                      (!awaitingRestore_ && presented % kFullCheckEvery == 0 && presented > checkUntil_);
    if (scan) Expect(presented, CheckDrawnCompletely(frame));
    SampleMemory(presented);
    if (presented % kAudioKeptFrames == 0) {
        headless::ClearMixedAudio();
        platform::inspect::ClearSoundEvents();
    }
    if (presented >= options_.frames) return;
    Play(presented);
    if (presented + kQuietTail < options_.frames && !awaitingRestore_ && presented > checkUntil_ &&
        Roll(kFaultOneIn) == 0)
        Inject();
}

void Soak::Play(uint32_t presented) {
    if (Roll(50) == 0) {
        MoveMouseBy(Between(-kLargeMotion, kLargeMotion), Between(-kLargeMotion, kLargeMotion));
    } else {
        MoveMouseBy(Between(-kSmallMotion, kSmallMotion), Between(-kSmallMotion, kSmallMotion));
    }
    if (Roll(8) == 0) Click(0);
    if (Roll(90) == 0) Click(1);
    if (Roll(60) == 0) {
        const NoiseKey& key = kNoiseKeys[Roll(kNoiseKeyCount)];
        // F1 restarts the game; keep it rare so games also run to their end.
        if (key.vk != VK_F1 || Roll(20) == 0) TapKey(key.vk, key.dik);
    }
    if (!holdingEP_ && Roll(700) == 0) {
        PressKey('E', DIK_E);
        PressKey('P', DIK_P);
        holdingEP_ = true;
        releaseEPAt_ = presented + 1 + Roll(40);
    } else if (holdingEP_ && presented >= releaseEPAt_) {
        ReleaseKey('E', DIK_E);
        ReleaseKey('P', DIK_P);
        holdingEP_ = false;
    }
}

void Soak::Inject() {
    // Each kind once first, so that even a short run meets them all.
    const auto fault = static_cast<SoakFault>(injected_ < kSoakFaultKinds ? injected_ : Roll(kSoakFaultKinds));
    ++injected_;
    ++report_.faults[static_cast<size_t>(fault)];
    switch (fault) {
    case SoakFault::SurfacesLost:
        platform::faults::LoseAllSurfaces();
        platform::faults::RefuseRestore(Between(0, kMaxRefusedRestores));
        awaitingRestore_ = true;
        break;
    case SoakFault::StillDrawing:
        platform::faults::StillDrawing(Between(1, kMaxStillDrawing));
        break;
    case SoakFault::SoundLost:
        platform::faults::LoseSoundBuffers();
        break;
    case SoakFault::InputUnacquired:
        platform::faults::UnacquireInput(Between(0, kMaxRefusedAcquires));
        break;
    case SoakFault::Background:
        // Nothing is presented in the background: the return comes from the pump.
        platform::HostForeground(false);
        backgroundPumps_ = Between(1, kMaxBackgroundPumps);
        awaitingRestore_ = true;
        break;
    case SoakFault::TickWrap:
        headless::SetTick(0xFFFFFFFFu - Roll(kTickWrapLead));
        break;
    case SoakFault::FrameCountWrap:
        frameCount = 0xFFFFFFFFu - Roll(kFrameWrapLead);
        break;
    case SoakFault::MessageBurst:
        for (int i = 0; i < kMessageBurst; ++i) {
            if (Roll(2) == 0) {
                PostMessageA(gDisplay.hWnd, Roll(2) == 0 ? WM_PAINT : WM_SETCURSOR, 0, 0);
            } else {
                platform::HostKey('A', DIK_A, true, true);
            }
        }
        platform::HostKey('A', DIK_A, false, false);
        break;
    case SoakFault::Count:
        break;
    }
}

void Soak::OnPump() {
    if (backgroundPumps_ == 0) return;
    if (--backgroundPumps_ == 0) platform::HostForeground(true);
}

void Soak::SampleMemory(uint32_t presented) {
    if (presented == 1) report_.memoryStartKiB = ResidentKiB();
    if (presented == options_.warmupFrames) report_.memoryWarmKiB = ResidentKiB();
    if (presented > options_.warmupFrames && presented % kMemoryEvery == 0)
        memoryPeakAfterWarmKiB_ = std::max(memoryPeakAfterWarmKiB_, ResidentKiB());
}

void Soak::Finish() {
    report_.memoryEndKiB = ResidentKiB();
    Expect(report_.framesRun, report_.exitCode == 0 ? std::string() : "WinMain returned " + std::to_string(report_.exitCode));
    Expect(report_.framesRun, platform::inspect::LiveSurfaces() == 0 ? std::string() : "surfaces left after exit");
    if (!options_.checkMemory || report_.memoryWarmKiB == 0) return;
    const long grown = std::max(memoryPeakAfterWarmKiB_, report_.memoryEndKiB) - report_.memoryWarmKiB;
    Expect(report_.framesRun, grown <= options_.memorySlackKiB
                                  ? std::string()
                                  : "resident memory grew by " + std::to_string(grown) + " KiB after the warm-up");
}

}  // namespace

const char* SoakFaultName(SoakFault fault) {
    switch (fault) {
    case SoakFault::SurfacesLost: return "surfaces lost";
    case SoakFault::StillDrawing: return "still drawing";
    case SoakFault::SoundLost: return "sound buffers lost";
    case SoakFault::InputUnacquired: return "input unacquired";
    case SoakFault::Background: return "window in background";
    case SoakFault::TickWrap: return "tick wrap";
    case SoakFault::FrameCountWrap: return "frameCount wrap";
    case SoakFault::MessageBurst: return "message burst";
    case SoakFault::Count: break;
    }
    return "?";
}

SoakReport RunSoak(const SoakOptions& options) {
    GameRun run(options.seed);
    Soak soak(options, run);
    run.EveryFrame([&soak](uint32_t presented, const headless::Frame& frame) { soak.OnFrame(presented, frame); });
    headless::OnPump([&soak] { soak.OnPump(); });
    soak.Report().exitCode = run.Run(options.frames);
    headless::OnPump(nullptr);
    soak.Finish();
    return soak.Report();
}

std::string FormatSoakReport(const SoakReport& report) {
    std::ostringstream out;
    out << "frames run: " << report.framesRun << "\n";
    out << "faults injected:\n";
    uint64_t total = 0;
    for (size_t k = 0; k < kSoakFaultKinds; ++k) {
        out << "  " << SoakFaultName(static_cast<SoakFault>(k)) << ": " << report.faults[k] << "\n";
        total += report.faults[k];
    }
    out << "  total: " << total << "\n";
    out << "invariant checks passed: " << report.checksPassed << ", failed: " << report.failureCount << "\n";
    for (const std::string& failure : report.failures) out << "  " << failure << "\n";
    out << "resident memory: start " << report.memoryStartKiB << " KiB, after warm-up " << report.memoryWarmKiB
        << " KiB, end " << report.memoryEndKiB << " KiB\n";
    return out.str();
}

}  // namespace kalvenor_test
