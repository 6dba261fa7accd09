#include "platform/controls/key_table.h"

#include <algorithm>
#include <iterator>

namespace platform {
namespace {

// Codes that our Win32 and DirectInput headers do not name.
constexpr uint8_t kVkSnapshot = 0x2C, kVkLWin = 0x5B, kVkRWin = 0x5C, kVkApps = 0x5D, kVkF13 = 0x7C,
                  kVkF14 = 0x7D, kVkF15 = 0x7E, kVkOem102 = 0xE2;
constexpr uint8_t kDikOem102 = 0x56, kDikF13 = 0x64, kDikF14 = 0x65, kDikF15 = 0x66, kDikSysRq = 0xB7,
                  kDikLWin = 0xDB, kDikRWin = 0xDC, kDikApps = 0xDD;

// Shift and Control arrive as the generic VK_SHIFT / VK_CONTROL, as in
// WM_KEYDOWN; the keyboard state tells left from right. Enter on the keypad
// is VK_RETURN too, as Windows sends it.
constexpr Key kKeys[] = {
    {0x04, "KeyA", {'A', DIK_A}},
    {0x05, "KeyB", {'B', DIK_B}},
    {0x06, "KeyC", {'C', DIK_C}},
    {0x07, "KeyD", {'D', DIK_D}},
    {0x08, "KeyE", {'E', DIK_E}},
    {0x09, "KeyF", {'F', DIK_F}},
    {0x0A, "KeyG", {'G', DIK_G}},
    {0x0B, "KeyH", {'H', DIK_H}},
    {0x0C, "KeyI", {'I', DIK_I}},
    {0x0D, "KeyJ", {'J', DIK_J}},
    {0x0E, "KeyK", {'K', DIK_K}},
    {0x0F, "KeyL", {'L', DIK_L}},
    {0x10, "KeyM", {'M', DIK_M}},
    {0x11, "KeyN", {'N', DIK_N}},
    {0x12, "KeyO", {'O', DIK_O}},
    {0x13, "KeyP", {'P', DIK_P}},
    {0x14, "KeyQ", {'Q', DIK_Q}},
    {0x15, "KeyR", {'R', DIK_R}},
    {0x16, "KeyS", {'S', DIK_S}},
    {0x17, "KeyT", {'T', DIK_T}},
    {0x18, "KeyU", {'U', DIK_U}},
    {0x19, "KeyV", {'V', DIK_V}},
    {0x1A, "KeyW", {'W', DIK_W}},
    {0x1B, "KeyX", {'X', DIK_X}},
    {0x1C, "KeyY", {'Y', DIK_Y}},
    {0x1D, "KeyZ", {'Z', DIK_Z}},
    {0x1E, "Digit1", {'1', DIK_1}},
    {0x1F, "Digit2", {'2', DIK_2}},
    {0x20, "Digit3", {'3', DIK_3}},
    {0x21, "Digit4", {'4', DIK_4}},
    {0x22, "Digit5", {'5', DIK_5}},
    {0x23, "Digit6", {'6', DIK_6}},
    {0x24, "Digit7", {'7', DIK_7}},
    {0x25, "Digit8", {'8', DIK_8}},
    {0x26, "Digit9", {'9', DIK_9}},
    {0x27, "Digit0", {'0', DIK_0}},
    {0x28, "Enter", {VK_RETURN, DIK_RETURN}},
    {0x29, "Escape", {VK_ESCAPE, DIK_ESCAPE}},
    {0x2A, "Backspace", {VK_BACK, DIK_BACK}},
    {0x2B, "Tab", {VK_TAB, DIK_TAB}},
    {0x2C, "Space", {VK_SPACE, DIK_SPACE}},
    {0x2D, "Minus", {VK_OEM_MINUS, DIK_MINUS}},
    {0x2E, "Equal", {VK_OEM_PLUS, DIK_EQUALS}},
    {0x2F, "BracketLeft", {VK_OEM_4, DIK_LBRACKET}},
    {0x30, "BracketRight", {VK_OEM_6, DIK_RBRACKET}},
    {0x31, "Backslash", {VK_OEM_5, DIK_BACKSLASH}},
    {0x33, "Semicolon", {VK_OEM_1, DIK_SEMICOLON}},
    {0x34, "Quote", {VK_OEM_7, DIK_APOSTROPHE}},
    {0x35, "Backquote", {VK_OEM_3, DIK_GRAVE}},
    {0x36, "Comma", {VK_OEM_COMMA, DIK_COMMA}},
    {0x37, "Period", {VK_OEM_PERIOD, DIK_PERIOD}},
    {0x38, "Slash", {VK_OEM_2, DIK_SLASH}},
    {0x39, "CapsLock", {VK_CAPITAL, DIK_CAPITAL}},
    {0x3A, "F1", {VK_F1, DIK_F1}},
    {0x3B, "F2", {VK_F2, DIK_F2}},
    {0x3C, "F3", {VK_F3, DIK_F3}},
    {0x3D, "F4", {VK_F4, DIK_F4}},
    {0x3E, "F5", {VK_F5, DIK_F5}},
    {0x3F, "F6", {VK_F6, DIK_F6}},
    {0x40, "F7", {VK_F7, DIK_F7}},
    {0x41, "F8", {VK_F8, DIK_F8}},
    {0x42, "F9", {VK_F9, DIK_F9}},
    {0x43, "F10", {VK_F10, DIK_F10}},
    {0x44, "F11", {VK_F11, DIK_F11}},
    {0x45, "F12", {VK_F12, DIK_F12}},
    {0x46, "PrintScreen", {kVkSnapshot, kDikSysRq}},
    {0x47, "ScrollLock", {VK_SCROLL, DIK_SCROLL}},
    {0x48, "Pause", {VK_PAUSE, DIK_PAUSE}},
    {0x49, "Insert", {VK_INSERT, DIK_INSERT}},
    {0x4A, "Home", {VK_HOME, DIK_HOME}},
    {0x4B, "PageUp", {VK_PRIOR, DIK_PRIOR}},
    {0x4C, "Delete", {VK_DELETE, DIK_DELETE}},
    {0x4D, "End", {VK_END, DIK_END}},
    {0x4E, "PageDown", {VK_NEXT, DIK_NEXT}},
    {0x4F, "ArrowRight", {VK_RIGHT, DIK_RIGHT}},
    {0x50, "ArrowLeft", {VK_LEFT, DIK_LEFT}},
    {0x51, "ArrowDown", {VK_DOWN, DIK_DOWN}},
    {0x52, "ArrowUp", {VK_UP, DIK_UP}},
    {0x53, "NumLock", {VK_NUMLOCK, DIK_NUMLOCK}},
    {0x54, "NumpadDivide", {VK_DIVIDE, DIK_DIVIDE}},
    {0x55, "NumpadMultiply", {VK_MULTIPLY, DIK_MULTIPLY}},
    {0x56, "NumpadSubtract", {VK_SUBTRACT, DIK_SUBTRACT}},
    {0x57, "NumpadAdd", {VK_ADD, DIK_ADD}},
    {0x58, "NumpadEnter", {VK_RETURN, DIK_NUMPADENTER}},
    {0x59, "Numpad1", {VK_NUMPAD0 + 1, DIK_NUMPAD1}},
    {0x5A, "Numpad2", {VK_NUMPAD0 + 2, DIK_NUMPAD2}},
    {0x5B, "Numpad3", {VK_NUMPAD0 + 3, DIK_NUMPAD3}},
    {0x5C, "Numpad4", {VK_NUMPAD0 + 4, DIK_NUMPAD4}},
    {0x5D, "Numpad5", {VK_NUMPAD0 + 5, DIK_NUMPAD5}},
    {0x5E, "Numpad6", {VK_NUMPAD0 + 6, DIK_NUMPAD6}},
    {0x5F, "Numpad7", {VK_NUMPAD0 + 7, DIK_NUMPAD7}},
    {0x60, "Numpad8", {VK_NUMPAD0 + 8, DIK_NUMPAD8}},
    {0x61, "Numpad9", {VK_NUMPAD0 + 9, DIK_NUMPAD9}},
    {0x62, "Numpad0", {VK_NUMPAD0, DIK_NUMPAD0}},
    {0x63, "NumpadDecimal", {VK_DECIMAL, DIK_DECIMAL}},
    {0x64, "IntlBackslash", {kVkOem102, kDikOem102}},
    {0x65, "ContextMenu", {kVkApps, kDikApps}},
    {0x68, "F13", {kVkF13, kDikF13}},
    {0x69, "F14", {kVkF14, kDikF14}},
    {0x6A, "F15", {kVkF15, kDikF15}},
    {0xE0, "ControlLeft", {VK_CONTROL, DIK_LCONTROL}},
    {0xE1, "ShiftLeft", {VK_SHIFT, DIK_LSHIFT}},
    {0xE2, "AltLeft", {VK_MENU, DIK_LMENU}},
    {0xE3, "MetaLeft", {kVkLWin, kDikLWin}},
    {0xE4, "ControlRight", {VK_CONTROL, DIK_RCONTROL}},
    {0xE5, "ShiftRight", {VK_SHIFT, DIK_RSHIFT}},
    {0xE6, "AltRight", {VK_MENU, DIK_RMENU}},
    {0xE7, "MetaRight", {kVkRWin, kDikRWin}},
};

constexpr char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

// Usages rising, so each is in the table once, and no two names alike in any
// case, so a name finds one key.
constexpr bool WellFormed() {
    for (size_t i = 0; i < std::size(kKeys); ++i) {
        if (i > 0 && kKeys[i].usage <= kKeys[i - 1].usage) return false;
        for (size_t j = 0; j < i; ++j)
            if (SameName(kKeys[i].name, kKeys[j].name)) return false;
    }
    return true;
}
static_assert(WellFormed());

template <typename Match>
const Key* Find(Match match) {
    const Key* key = std::find_if(std::begin(kKeys), std::end(kKeys), match);
    return key != std::end(kKeys) ? key : nullptr;
}

}  // namespace

std::span<const Key> Keys() { return kKeys; }

const Key* FindKeyByUsage(int usage) {
    return Find([usage](const Key& k) { return k.usage == usage; });
}

const Key* FindKeyByName(std::string_view name) {
    return Find([name](const Key& k) { return SameName(k.name, name); });
}

}  // namespace platform
