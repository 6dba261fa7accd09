// Keys, closing and focus coming from the host, turned into window messages
// and device state the way Windows delivers them.
#include "platform/host_events.h"
#include "platform/internal.h"
#include "platform/settings/active.h"
#include "platform/win32/state.h"

using namespace platform::win32;

namespace {

constexpr LPARAM kRepeatBit = LPARAM(1) << 30;      // the key was already down
constexpr LPARAM kReleaseBit = LPARAM(1) << 31;     // the key is being released
constexpr LPARAM kAltDownBit = LPARAM(KF_ALTDOWN) << 16;  // Alt was held as the key moved
constexpr int kScanCodeShift = 16;

bool foreground = true;
bool altHeld = false;

// Windows sends F10 and keys pressed with Alt as system keys, which the game
// passes on untouched.
bool IsSystemKey(uint32_t vk) { return vk == VK_MENU || vk == VK_F10 || altHeld; }

}  // namespace

namespace platform {

void HostKey(uint32_t pressedVk, uint8_t pressedDik, bool down, bool repeat) {
    KeyCodes codes = settings::ChosenKey(KeyCodes{static_cast<uint8_t>(pressedVk), pressedDik});
    uint32_t vk = codes.vk;
    uint8_t dik = codes.dik;
    if (dik != 0) InputKey(dik, down);
    if (vk == 0) return;
    bool system = IsSystemKey(vk);
    if (vk == VK_MENU) altHeld = down;
    HWND window = LiveWindow();
    if (window == nullptr) return;
    LPARAM lParam = 1 | (LPARAM(dik) << kScanCodeShift);
    if (!down) lParam |= kRepeatBit | kReleaseBit;
    else if (repeat) lParam |= kRepeatBit;
    if (altHeld) lParam |= kAltDownBit;
    UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    PostMessageA(window, message, vk, lParam);
}

void HostClose() {
    HWND window = LiveWindow();
    if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
}

void HostForeground(bool active) {
    foreground = active;
    DrawOnForeground(active);
    InputOnForeground(active);
}

bool IsForeground() { return foreground; }

}  // namespace platform

namespace platform::win32 {
void ResetHostKeys() {
    foreground = true;
    altHeld = false;
}
}  // namespace platform::win32
