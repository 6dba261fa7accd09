// The headless host: a fake millisecond tick, scripted input, captured frames,
// message boxes and mixed sound. Tests drive the whole game through it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace headless {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

struct Frame {
    std::vector<uint16_t> pixels;  // 800 * 600, top row first
    bool is555 = false;
    uint16_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * kScreenWidth + x]; }
};

struct MessageBoxShown {
    std::string text;
    std::string caption;
};

// Back to a fresh host: tick 0 stepping 1 ms per read, no hooks, nothing
// recorded, sound device present. Also resets platform faults and the
// player's settings to their defaults.
void Reset();

// The tick: its current value, and how far each GetTickCount call moves it.
void SetTick(uint32_t ms);
uint32_t Tick();
void SetTickStep(uint32_t msPerRead);

// Called after each Flip with the number of frames presented so far (1 for
// the first) and the frame. Scripts use it to feed the next frame's input.
void OnPresent(std::function<void(uint32_t presented, const Frame& frame)> hook);
// Keep a copy of every presented frame (off by default: frames are large).
void KeepFrames(bool keep);
const std::vector<Frame>& Frames();
const Frame& LastFrame();
uint32_t PresentedCount();

// Called each time the platform pumps host events (every message-queue look).
void OnPump(std::function<void()> hook);

const std::vector<MessageBoxShown>& MessageBoxes();
const std::vector<std::string>& DebugLines();

// Sound: whether DirectSoundCreate finds a device, the rate it mixes at, and
// everything mixed so far (the host mixes as the tick advances).
void SetAudioDevice(bool present, int sampleRate = 22050);
const std::vector<int16_t>& MixedAudio();
// Forget the sound mixed so far, so that long runs do not hoard it.
void ClearMixedAudio();
int AudioRate();

// The screen size reported by GetSystemMetrics.
void SetScreenSize(int width, int height);

// True while the window exists and the pointer is hidden over it.
bool WindowShown();
bool PointerVisible();

}  // namespace headless
