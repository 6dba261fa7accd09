// Drives the whole game on the headless host, for end-to-end tests.
//
//   GameRun run;                                  // fresh host, objects, globals
//   run.At(3, [] { PressKey(VK_F1, DIK_F1); });   // in the present of frame 3
//   run.At(4, [] { ReleaseKey(VK_F1, DIK_F1); });
//   int result = run.Run(100);                    // Escape at frame 100
//
// Frames are numbered as presented: 1 is the first frame shown. An action for
// frame n runs inside its present, so its input reaches the game's next poll
// and its key messages are handled before frame n + 1. The generator is
// seeded in the first present, after Display::Create has seeded it from the
// clock and before any figure can spawn.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "platform/headless/headless.h"

namespace kalvenor_test {

constexpr uint32_t kDefaultSeed = 12345;

class GameRun {
public:
    // Resets the host, every static object and the shell globals.
    explicit GameRun(uint32_t seed = kDefaultSeed);
    ~GameRun();
    GameRun(const GameRun&) = delete;
    GameRun& operator=(const GameRun&) = delete;

    // Run `action` in the present of frame `presented`; several may share one.
    GameRun& At(uint32_t presented, std::function<void()> action);
    // Run `hook` in every present, after that frame's actions.
    GameRun& EveryFrame(std::function<void(uint32_t presented, const headless::Frame&)> hook);
    // Call WinMain with Escape pressed at frame `escapeAt` (0: never, for runs
    // that end by themselves). A run that does not end soon after Escape is
    // a test failure and is closed, then quit. Returns WinMain's result.
    int Run(uint32_t escapeAt);

    uint32_t Presented() const;

private:
    void OnPresent(uint32_t presented, const headless::Frame& frame);

    uint32_t seed_;
    uint32_t escapeAt_ = 0;
    std::map<uint32_t, std::vector<std::function<void()>>> actions_;
    std::vector<std::function<void(uint32_t, const headless::Frame&)>> everyFrame_;
};

// Back to the state before WinMain: the host reset, each static object
// released and built afresh, frameCount, lastFrameTick and anyKeyDown zero.
void ResetGame();

// Keys by virtual-key code (the message) and keyboard position (the device).
void PressKey(uint32_t vk, uint8_t dik, bool repeat = false);
void ReleaseKey(uint32_t vk, uint8_t dik);
// Press now and release in the next frame's present, so one poll sees it.
void TapKey(uint32_t vk, uint8_t dik);

// Relative mouse motion. MoveMouseTo aims for a cursor position from where
// the game's cursor will be after the motion already sent this frame; the
// game's clamp still applies.
void MoveMouseBy(int32_t dx, int32_t dy);
void MoveMouseTo(int32_t x, int32_t y);
// Button 0 is left, 1 right.
void PressButton(int index);
void ReleaseButton(int index);
// Press now and release in the next frame's present.
void Click(int index = 0);

}  // namespace kalvenor_test
