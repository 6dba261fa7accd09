// What a host hands on for one key of the player's keyboard: the Win32
// virtual key of its key messages and the DirectInput key index of the
// keyboard state. Shared by every host's own key table.
#pragma once

#include <cstdint>

namespace platform {

struct KeyCodes {
    uint8_t vk;   // 0: no key message
    uint8_t dik;  // 0: not in the keyboard state
};

namespace keys {

// Codes that our Win32 and DirectInput headers do not name.
constexpr uint8_t kVkSnapshot = 0x2C, kVkLWin = 0x5B, kVkRWin = 0x5C, kVkApps = 0x5D, kVkF13 = 0x7C,
                  kVkF14 = 0x7D, kVkF15 = 0x7E, kVkOem102 = 0xE2;
constexpr uint8_t kDikOem102 = 0x56, kDikF13 = 0x64, kDikF14 = 0x65, kDikF15 = 0x66, kDikSysRq = 0xB7,
                  kDikLWin = 0xDB, kDikRWin = 0xDC, kDikApps = 0xDD;

}  // namespace keys
}  // namespace platform
