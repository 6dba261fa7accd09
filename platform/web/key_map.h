// From the browser's key positions (KeyboardEvent.code) to the codes the
// game reads: the Win32 virtual key of its key messages and the DirectInput
// key index of the keyboard state.
#pragma once

#include <dinput.h>
#include <windows.h>

#include <cstdint>

#include "platform/controls/key_codes.h"
#include <cstring>

namespace webhost {

using platform::KeyCodes;

namespace keys {

using namespace platform::keys;

struct Entry {
    const char* code;
    KeyCodes codes;
};

// Shift and Control arrive as the generic VK_SHIFT / VK_CONTROL, as in
// WM_KEYDOWN; the keyboard state tells left from right.
constexpr Entry kTable[] = {
    {"Escape", {VK_ESCAPE, DIK_ESCAPE}},
    {"Digit1", {'1', DIK_1}},
    {"Digit2", {'2', DIK_2}},
    {"Digit3", {'3', DIK_3}},
    {"Digit4", {'4', DIK_4}},
    {"Digit5", {'5', DIK_5}},
    {"Digit6", {'6', DIK_6}},
    {"Digit7", {'7', DIK_7}},
    {"Digit8", {'8', DIK_8}},
    {"Digit9", {'9', DIK_9}},
    {"Digit0", {'0', DIK_0}},
    {"Minus", {VK_OEM_MINUS, DIK_MINUS}},
    {"Equal", {VK_OEM_PLUS, DIK_EQUALS}},
    {"Backspace", {VK_BACK, DIK_BACK}},
    {"Tab", {VK_TAB, DIK_TAB}},
    {"KeyQ", {'Q', DIK_Q}},
    {"KeyW", {'W', DIK_W}},
    {"KeyE", {'E', DIK_E}},
    {"KeyR", {'R', DIK_R}},
    {"KeyT", {'T', DIK_T}},
    {"KeyY", {'Y', DIK_Y}},
    {"KeyU", {'U', DIK_U}},
    {"KeyI", {'I', DIK_I}},
    {"KeyO", {'O', DIK_O}},
    {"KeyP", {'P', DIK_P}},
    {"BracketLeft", {VK_OEM_4, DIK_LBRACKET}},
    {"BracketRight", {VK_OEM_6, DIK_RBRACKET}},
    {"Enter", {VK_RETURN, DIK_RETURN}},
    {"ControlLeft", {VK_CONTROL, DIK_LCONTROL}},
    {"KeyA", {'A', DIK_A}},
    {"KeyS", {'S', DIK_S}},
    {"KeyD", {'D', DIK_D}},
    {"KeyF", {'F', DIK_F}},
    {"KeyG", {'G', DIK_G}},
    {"KeyH", {'H', DIK_H}},
    {"KeyJ", {'J', DIK_J}},
    {"KeyK", {'K', DIK_K}},
    {"KeyL", {'L', DIK_L}},
    {"Semicolon", {VK_OEM_1, DIK_SEMICOLON}},
    {"Quote", {VK_OEM_7, DIK_APOSTROPHE}},
    {"Backquote", {VK_OEM_3, DIK_GRAVE}},
    {"ShiftLeft", {VK_SHIFT, DIK_LSHIFT}},
    {"Backslash", {VK_OEM_5, DIK_BACKSLASH}},
    {"KeyZ", {'Z', DIK_Z}},
    {"KeyX", {'X', DIK_X}},
    {"KeyC", {'C', DIK_C}},
    {"KeyV", {'V', DIK_V}},
    {"KeyB", {'B', DIK_B}},
    {"KeyN", {'N', DIK_N}},
    {"KeyM", {'M', DIK_M}},
    {"Comma", {VK_OEM_COMMA, DIK_COMMA}},
    {"Period", {VK_OEM_PERIOD, DIK_PERIOD}},
    {"Slash", {VK_OEM_2, DIK_SLASH}},
    {"ShiftRight", {VK_SHIFT, DIK_RSHIFT}},
    {"NumpadMultiply", {VK_MULTIPLY, DIK_MULTIPLY}},
    {"AltLeft", {VK_MENU, DIK_LMENU}},
    {"Space", {VK_SPACE, DIK_SPACE}},
    {"CapsLock", {VK_CAPITAL, DIK_CAPITAL}},
    {"F1", {VK_F1, DIK_F1}},
    {"F2", {VK_F2, DIK_F2}},
    {"F3", {VK_F3, DIK_F3}},
    {"F4", {VK_F4, DIK_F4}},
    {"F5", {VK_F5, DIK_F5}},
    {"F6", {VK_F6, DIK_F6}},
    {"F7", {VK_F7, DIK_F7}},
    {"F8", {VK_F8, DIK_F8}},
    {"F9", {VK_F9, DIK_F9}},
    {"F10", {VK_F10, DIK_F10}},
    {"NumLock", {VK_NUMLOCK, DIK_NUMLOCK}},
    {"ScrollLock", {VK_SCROLL, DIK_SCROLL}},
    {"Numpad7", {VK_NUMPAD0 + 7, DIK_NUMPAD7}},
    {"Numpad8", {VK_NUMPAD0 + 8, DIK_NUMPAD8}},
    {"Numpad9", {VK_NUMPAD0 + 9, DIK_NUMPAD9}},
    {"NumpadSubtract", {VK_SUBTRACT, DIK_SUBTRACT}},
    {"Numpad4", {VK_NUMPAD0 + 4, DIK_NUMPAD4}},
    {"Numpad5", {VK_NUMPAD0 + 5, DIK_NUMPAD5}},
    {"Numpad6", {VK_NUMPAD0 + 6, DIK_NUMPAD6}},
    {"NumpadAdd", {VK_ADD, DIK_ADD}},
    {"Numpad1", {VK_NUMPAD0 + 1, DIK_NUMPAD1}},
    {"Numpad2", {VK_NUMPAD0 + 2, DIK_NUMPAD2}},
    {"Numpad3", {VK_NUMPAD0 + 3, DIK_NUMPAD3}},
    {"Numpad0", {VK_NUMPAD0, DIK_NUMPAD0}},
    {"NumpadDecimal", {VK_DECIMAL, DIK_DECIMAL}},
    {"IntlBackslash", {kVkOem102, kDikOem102}},
    {"F11", {VK_F11, DIK_F11}},
    {"F12", {VK_F12, DIK_F12}},
    {"F13", {kVkF13, kDikF13}},
    {"F14", {kVkF14, kDikF14}},
    {"F15", {kVkF15, kDikF15}},
    {"NumpadEnter", {VK_RETURN, DIK_NUMPADENTER}},
    {"ControlRight", {VK_CONTROL, DIK_RCONTROL}},
    {"NumpadDivide", {VK_DIVIDE, DIK_DIVIDE}},
    {"PrintScreen", {kVkSnapshot, kDikSysRq}},
    {"AltRight", {VK_MENU, DIK_RMENU}},
    {"Pause", {VK_PAUSE, DIK_PAUSE}},
    {"Home", {VK_HOME, DIK_HOME}},
    {"ArrowUp", {VK_UP, DIK_UP}},
    {"PageUp", {VK_PRIOR, DIK_PRIOR}},
    {"ArrowLeft", {VK_LEFT, DIK_LEFT}},
    {"ArrowRight", {VK_RIGHT, DIK_RIGHT}},
    {"End", {VK_END, DIK_END}},
    {"ArrowDown", {VK_DOWN, DIK_DOWN}},
    {"PageDown", {VK_NEXT, DIK_NEXT}},
    {"Insert", {VK_INSERT, DIK_INSERT}},
    {"Delete", {VK_DELETE, DIK_DELETE}},
    {"MetaLeft", {kVkLWin, kDikLWin}},
    {"MetaRight", {kVkRWin, kDikRWin}},
    {"ContextMenu", {kVkApps, kDikApps}},
};

}  // namespace keys

// The codes of a key position; {0, 0} for a key we do not know.
inline KeyCodes MapKeyCode(const char* code) {
    for (const keys::Entry& e : keys::kTable)
        if (std::strcmp(e.code, code) == 0) return e.codes;
    return {0, 0};
}

}  // namespace webhost
