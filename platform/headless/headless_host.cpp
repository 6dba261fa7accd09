// The headless host: a fake tick that moves on every read, captured frames,
// recorded message boxes and debug lines, and sound mixed as the tick moves.
#include <algorithm>
#include <cstring>

#include "platform/faults.h"
#include "platform/headless/headless.h"
#include "platform/host.h"
#include "platform/host_events.h"
#include "platform/inspect.h"
#include "platform/settings/active.h"
#include "platform/win32/state.h"

namespace headless {
namespace {

constexpr int kDefaultAudioRate = 22050;
// Tick jumps (a test setting the clock) are not worth more than this much sound.
constexpr uint32_t kLongestMixMs = 1000;
constexpr uint32_t kMsPerSecond = 1000;

struct State {
    uint32_t tick = 0;
    uint32_t tickStep = 1;
    std::function<void(uint32_t, const Frame&)> onPresent;
    std::function<void()> onPump;
    bool keepFrames = false;
    std::vector<Frame> frames;
    Frame lastFrame;
    uint32_t presented = 0;
    std::vector<MessageBoxShown> messageBoxes;
    std::vector<std::string> debugLines;
    bool audioDevice = true;
    int audioRate = kDefaultAudioRate;
    bool audioOpen = false;
    uint32_t lastMixTick = 0;
    uint64_t mixRemainder = 0;  // sample-milliseconds not yet mixed
    std::vector<int16_t> mixed;
    int screenWidth = kScreenWidth;
    int screenHeight = kScreenHeight;
    bool windowShown = false;
    bool pointerVisible = true;
    bool inPresentHook = false;
};

State& S() {
    static State state;
    return state;
}

// Mix the sound that the tick time since the last mix stands for.
void MixElapsed() {
    State& s = S();
    uint32_t elapsed = s.tick - s.lastMixTick;
    s.lastMixTick = s.tick;
    if (!s.audioOpen) return;
    elapsed = std::min(elapsed, kLongestMixMs);
    uint64_t total = s.mixRemainder + uint64_t(elapsed) * uint64_t(s.audioRate);
    int frames = static_cast<int>(total / kMsPerSecond);
    s.mixRemainder = total % kMsPerSecond;
    if (frames == 0) return;
    size_t start = s.mixed.size();
    s.mixed.resize(start + static_cast<size_t>(frames));
    platform::MixAudio(s.mixed.data() + start, frames, s.audioRate);
}

}  // namespace

void Reset() {
    State& s = S();
    s = State();
    s.lastFrame.pixels.assign(size_t(kScreenWidth) * kScreenHeight, 0);
    platform::faults::ResetAll();
    platform::settings::Apply(platform::settings::Settings{});
    platform::win32::ResetWindowing();
    platform::inspect::ClearSoundEvents();
}

void SetTick(uint32_t ms) {
    S().tick = ms;
    S().lastMixTick = ms;
}
uint32_t Tick() { return S().tick; }
void SetTickStep(uint32_t msPerRead) { S().tickStep = msPerRead; }

void OnPresent(std::function<void(uint32_t, const Frame&)> hook) { S().onPresent = std::move(hook); }
void KeepFrames(bool keep) { S().keepFrames = keep; }
const std::vector<Frame>& Frames() { return S().frames; }
const Frame& LastFrame() { return S().lastFrame; }
uint32_t PresentedCount() { return S().presented; }

void OnPump(std::function<void()> hook) { S().onPump = std::move(hook); }

const std::vector<MessageBoxShown>& MessageBoxes() { return S().messageBoxes; }
const std::vector<std::string>& DebugLines() { return S().debugLines; }

void SetAudioDevice(bool present, int sampleRate) {
    S().audioDevice = present;
    S().audioRate = sampleRate > 0 ? sampleRate : kDefaultAudioRate;
}
const std::vector<int16_t>& MixedAudio() { return S().mixed; }
void ClearMixedAudio() { S().mixed.clear(); }
int AudioRate() { return S().audioRate; }

void SetScreenSize(int width, int height) {
    S().screenWidth = width;
    S().screenHeight = height;
}

bool WindowShown() { return S().windowShown; }
bool PointerVisible() { return S().pointerVisible; }

}  // namespace headless

namespace host {

using headless::S;

uint32_t TickCount() {
    uint32_t now = S().tick;
    S().tick = now + S().tickStep;
    return now;
}

void PumpEvents() {
    headless::MixElapsed();
    if (S().onPump) S().onPump();
}

void PresentFrame(const uint16_t* pixels, int32_t pitchBytes, int width, int height, bool is555) {
    headless::State& s = S();
    headless::Frame& frame = s.lastFrame;
    frame.is555 = is555;
    frame.pixels.assign(size_t(headless::kScreenWidth) * headless::kScreenHeight, 0);
    int rows = std::min(height, headless::kScreenHeight);
    int columns = std::min(width, headless::kScreenWidth);
    if (pixels != nullptr && rows > 0 && columns > 0 && pitchBytes > 0) {
        const uint8_t* row = reinterpret_cast<const uint8_t*>(pixels);
        for (int y = 0; y < rows; ++y, row += pitchBytes)
            std::memcpy(&frame.pixels[size_t(y) * headless::kScreenWidth], row,
                        size_t(columns) * sizeof(uint16_t));
    }
    ++s.presented;
    if (s.keepFrames) s.frames.push_back(frame);
    headless::MixElapsed();
    // A hook that presents again (it should not) is not re-entered.
    if (s.onPresent && !s.inPresentHook) {
        s.inPresentHook = true;
        auto hook = s.onPresent;
        hook(s.presented, s.lastFrame);
        s.inPresentHook = false;
    }
}

void ShowMessageBox(const char* text, const char* caption) {
    S().messageBoxes.push_back({text != nullptr ? text : "", caption != nullptr ? caption : ""});
}

void DebugOutput(const char* text) { S().debugLines.emplace_back(text != nullptr ? text : ""); }

void ScreenSize(int* width, int* height) {
    if (width != nullptr) *width = S().screenWidth;
    if (height != nullptr) *height = S().screenHeight;
}

bool OpenAudio(int* sampleRate) {
    headless::State& s = S();
    if (!s.audioDevice) return false;
    s.audioOpen = true;
    s.lastMixTick = s.tick;
    s.mixRemainder = 0;
    if (sampleRate != nullptr) *sampleRate = s.audioRate;
    return true;
}

void CloseAudio() { S().audioOpen = false; }

void WindowShown(bool shown) { S().windowShown = shown; }
void ShowPointer(bool visible) { S().pointerVisible = visible; }

}  // namespace host
