// The keys of the player's keyboard, one table for every host, keyed by USB
// HID usage (the keyboard page). Each row holds the key's name as the
// browser's KeyboardEvent.code spells it ("Escape", "KeyA", "F1"), which is
// also the name a settings file gives it, and the codes the game reads: the
// Win32 virtual key of its key messages and the DirectInput key index of the
// keyboard state. SDL's scancodes are HID usages, so the SDL host looks keys
// up by scancode; the browser host looks them up by name.
#pragma once

// The codes' names: VK_* and DIK_*.
#include <dinput.h>
#include <windows.h>

#include <cstdint>
#include <span>
#include <string_view>

namespace platform {

struct KeyCodes {
    uint8_t vk;   // 0: no key message
    uint8_t dik;  // 0: not in the keyboard state
};

struct Key {
    uint16_t usage;    // HID usage on the keyboard page (0x07)
    const char* name;  // KeyboardEvent.code
    KeyCodes codes;
};

// Every key, in the order of its usage.
std::span<const Key> Keys();

// The key of a HID usage, or null for one we do not know.
const Key* FindKeyByUsage(int usage);

// The key of a name, in any case ("Escape", "escape", "ESCAPE"), or null for
// a name no key has.
const Key* FindKeyByName(std::string_view name);

// What a host hands on for a key found or not: {0, 0} for none.
inline KeyCodes CodesOf(const Key* key) { return key != nullptr ? key->codes : KeyCodes{0, 0}; }

}  // namespace platform
