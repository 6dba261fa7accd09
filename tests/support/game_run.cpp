#include "support/game_run.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <new>

#include "app/app.h"
#include "app/static_objects.h"
#include "display/display.h"
#include "game/actor_list.h"
#include "game/game.h"
#include "input/input_devices.h"
#include "platform/host_events.h"
#include "sound/sound_bank.h"
#include "text/bitmap_font.h"

namespace kalvenor_test {
namespace {

// Frames allowed between Escape and the end of the run before it is forced.
constexpr uint32_t kEscapeGrace = 50;
constexpr int kStuckExitCode = 99;

GameRun* current = nullptr;
int32_t pendingDx = 0;  // motion sent since the game's last poll
int32_t pendingDy = 0;

template <typename T>
void Rebuild(T& object) {
    object.~T();
    new (&object) T();
}

}  // namespace

void ResetGame() {
    // The exit actions' own order, then the display, which has none.
    Rebuild(gSoundBank);
    Rebuild(gActors);
    Rebuild(gInput);
    Rebuild(gFont);
    gDisplay.ReleaseAll();
    Rebuild(gDisplay);
    ActiveDisplay = nullptr;
    Rebuild(gGame);
    headless::Reset();
    frameCount = 0;
    lastFrameTick = 0;
    anyKeyDown = 0;
    pendingDx = 0;
    pendingDy = 0;
}

GameRun::GameRun(uint32_t seed) : seed_(seed) { ResetGame(); }

GameRun::~GameRun() {
    headless::OnPresent(nullptr);
    headless::OnPump(nullptr);
    if (current == this) current = nullptr;
}

GameRun& GameRun::At(uint32_t presented, std::function<void()> action) {
    actions_[presented].push_back(std::move(action));
    return *this;
}

GameRun& GameRun::EveryFrame(std::function<void(uint32_t, const headless::Frame&)> hook) {
    everyFrame_.push_back(std::move(hook));
    return *this;
}

uint32_t GameRun::Presented() const { return headless::PresentedCount(); }

void GameRun::OnPresent(uint32_t presented, const headless::Frame& frame) {
    // The frame just shown polled the mouse.
    pendingDx = 0;
    pendingDy = 0;
    if (presented == 1) srand(seed_);
    auto found = actions_.find(presented);
    if (found != actions_.end()) {
        // Actions may schedule more for this frame; run them all.
        for (size_t i = 0; i < found->second.size(); ++i) {
            auto action = found->second[i];
            action();
        }
        // Done with; long runs schedule a release for every click.
        actions_.erase(found);
    }
    for (auto& hook : everyFrame_) hook(presented, frame);
    if (escapeAt_ == 0) return;
    if (presented == escapeAt_) PressKey(VK_ESCAPE, DIK_ESCAPE);
    if (presented == escapeAt_ + kEscapeGrace) {
        ADD_FAILURE() << "the game went on " << kEscapeGrace << " frames after Escape";
        platform::HostClose();
    }
    if (presented == escapeAt_ + 2 * kEscapeGrace) PostQuitMessage(kStuckExitCode);
}

int GameRun::Run(uint32_t escapeAt) {
    escapeAt_ = escapeAt;
    current = this;
    headless::OnPresent([this](uint32_t presented, const headless::Frame& frame) {
        OnPresent(presented, frame);
    });
    int result = WinMain(GetModuleHandleA(NULL), NULL, const_cast<LPSTR>(""), SW_SHOWDEFAULT);
    headless::OnPresent(nullptr);
    current = nullptr;
    return result;
}

void PressKey(uint32_t vk, uint8_t dik, bool repeat) { platform::HostKey(vk, dik, true, repeat); }
void ReleaseKey(uint32_t vk, uint8_t dik) { platform::HostKey(vk, dik, false, false); }

void TapKey(uint32_t vk, uint8_t dik) {
    PressKey(vk, dik);
    if (current != nullptr)
        current->At(current->Presented() + 1, [vk, dik] { ReleaseKey(vk, dik); });
}

void MoveMouseBy(int32_t dx, int32_t dy) {
    pendingDx += dx;
    pendingDy += dy;
    platform::HostMouseMotion(dx, dy);
}

void MoveMouseTo(int32_t x, int32_t y) {
    MoveMouseBy(x - (gInput.cursorX + pendingDx), y - (gInput.cursorY + pendingDy));
}

void PressButton(int index) { platform::HostMouseButton(index, true); }
void ReleaseButton(int index) { platform::HostMouseButton(index, false); }

void Click(int index) {
    PressButton(index);
    if (current != nullptr)
        current->At(current->Presented() + 1, [index] { ReleaseButton(index); });
}

}  // namespace kalvenor_test
