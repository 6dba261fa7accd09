// From SDL's keyboard positions to the codes the game reads: the Win32
// virtual key of its key messages and the DirectInput key index of the
// keyboard state.
#pragma once

#include <SDL2/SDL_scancode.h>
#include <dinput.h>
#include <windows.h>

#include <cstdint>

#include "platform/controls/key_codes.h"

namespace sdlhost {

using platform::KeyCodes;

namespace keys {

using namespace platform::keys;

struct Entry {
    SDL_Scancode scancode;
    KeyCodes codes;
};

// Shift and Control arrive as the generic VK_SHIFT / VK_CONTROL, as in
// WM_KEYDOWN; the keyboard state tells left from right.
constexpr Entry kTable[] = {
    {SDL_SCANCODE_ESCAPE, {VK_ESCAPE, DIK_ESCAPE}},
    {SDL_SCANCODE_1, {'1', DIK_1}},
    {SDL_SCANCODE_2, {'2', DIK_2}},
    {SDL_SCANCODE_3, {'3', DIK_3}},
    {SDL_SCANCODE_4, {'4', DIK_4}},
    {SDL_SCANCODE_5, {'5', DIK_5}},
    {SDL_SCANCODE_6, {'6', DIK_6}},
    {SDL_SCANCODE_7, {'7', DIK_7}},
    {SDL_SCANCODE_8, {'8', DIK_8}},
    {SDL_SCANCODE_9, {'9', DIK_9}},
    {SDL_SCANCODE_0, {'0', DIK_0}},
    {SDL_SCANCODE_MINUS, {VK_OEM_MINUS, DIK_MINUS}},
    {SDL_SCANCODE_EQUALS, {VK_OEM_PLUS, DIK_EQUALS}},
    {SDL_SCANCODE_BACKSPACE, {VK_BACK, DIK_BACK}},
    {SDL_SCANCODE_TAB, {VK_TAB, DIK_TAB}},
    {SDL_SCANCODE_Q, {'Q', DIK_Q}},
    {SDL_SCANCODE_W, {'W', DIK_W}},
    {SDL_SCANCODE_E, {'E', DIK_E}},
    {SDL_SCANCODE_R, {'R', DIK_R}},
    {SDL_SCANCODE_T, {'T', DIK_T}},
    {SDL_SCANCODE_Y, {'Y', DIK_Y}},
    {SDL_SCANCODE_U, {'U', DIK_U}},
    {SDL_SCANCODE_I, {'I', DIK_I}},
    {SDL_SCANCODE_O, {'O', DIK_O}},
    {SDL_SCANCODE_P, {'P', DIK_P}},
    {SDL_SCANCODE_LEFTBRACKET, {VK_OEM_4, DIK_LBRACKET}},
    {SDL_SCANCODE_RIGHTBRACKET, {VK_OEM_6, DIK_RBRACKET}},
    {SDL_SCANCODE_RETURN, {VK_RETURN, DIK_RETURN}},
    {SDL_SCANCODE_LCTRL, {VK_CONTROL, DIK_LCONTROL}},
    {SDL_SCANCODE_A, {'A', DIK_A}},
    {SDL_SCANCODE_S, {'S', DIK_S}},
    {SDL_SCANCODE_D, {'D', DIK_D}},
    {SDL_SCANCODE_F, {'F', DIK_F}},
    {SDL_SCANCODE_G, {'G', DIK_G}},
    {SDL_SCANCODE_H, {'H', DIK_H}},
    {SDL_SCANCODE_J, {'J', DIK_J}},
    {SDL_SCANCODE_K, {'K', DIK_K}},
    {SDL_SCANCODE_L, {'L', DIK_L}},
    {SDL_SCANCODE_SEMICOLON, {VK_OEM_1, DIK_SEMICOLON}},
    {SDL_SCANCODE_APOSTROPHE, {VK_OEM_7, DIK_APOSTROPHE}},
    {SDL_SCANCODE_GRAVE, {VK_OEM_3, DIK_GRAVE}},
    {SDL_SCANCODE_LSHIFT, {VK_SHIFT, DIK_LSHIFT}},
    {SDL_SCANCODE_BACKSLASH, {VK_OEM_5, DIK_BACKSLASH}},
    {SDL_SCANCODE_Z, {'Z', DIK_Z}},
    {SDL_SCANCODE_X, {'X', DIK_X}},
    {SDL_SCANCODE_C, {'C', DIK_C}},
    {SDL_SCANCODE_V, {'V', DIK_V}},
    {SDL_SCANCODE_B, {'B', DIK_B}},
    {SDL_SCANCODE_N, {'N', DIK_N}},
    {SDL_SCANCODE_M, {'M', DIK_M}},
    {SDL_SCANCODE_COMMA, {VK_OEM_COMMA, DIK_COMMA}},
    {SDL_SCANCODE_PERIOD, {VK_OEM_PERIOD, DIK_PERIOD}},
    {SDL_SCANCODE_SLASH, {VK_OEM_2, DIK_SLASH}},
    {SDL_SCANCODE_RSHIFT, {VK_SHIFT, DIK_RSHIFT}},
    {SDL_SCANCODE_KP_MULTIPLY, {VK_MULTIPLY, DIK_MULTIPLY}},
    {SDL_SCANCODE_LALT, {VK_MENU, DIK_LMENU}},
    {SDL_SCANCODE_SPACE, {VK_SPACE, DIK_SPACE}},
    {SDL_SCANCODE_CAPSLOCK, {VK_CAPITAL, DIK_CAPITAL}},
    {SDL_SCANCODE_F1, {VK_F1, DIK_F1}},
    {SDL_SCANCODE_F2, {VK_F2, DIK_F2}},
    {SDL_SCANCODE_F3, {VK_F3, DIK_F3}},
    {SDL_SCANCODE_F4, {VK_F4, DIK_F4}},
    {SDL_SCANCODE_F5, {VK_F5, DIK_F5}},
    {SDL_SCANCODE_F6, {VK_F6, DIK_F6}},
    {SDL_SCANCODE_F7, {VK_F7, DIK_F7}},
    {SDL_SCANCODE_F8, {VK_F8, DIK_F8}},
    {SDL_SCANCODE_F9, {VK_F9, DIK_F9}},
    {SDL_SCANCODE_F10, {VK_F10, DIK_F10}},
    {SDL_SCANCODE_NUMLOCKCLEAR, {VK_NUMLOCK, DIK_NUMLOCK}},
    {SDL_SCANCODE_SCROLLLOCK, {VK_SCROLL, DIK_SCROLL}},
    {SDL_SCANCODE_KP_7, {VK_NUMPAD0 + 7, DIK_NUMPAD7}},
    {SDL_SCANCODE_KP_8, {VK_NUMPAD0 + 8, DIK_NUMPAD8}},
    {SDL_SCANCODE_KP_9, {VK_NUMPAD0 + 9, DIK_NUMPAD9}},
    {SDL_SCANCODE_KP_MINUS, {VK_SUBTRACT, DIK_SUBTRACT}},
    {SDL_SCANCODE_KP_4, {VK_NUMPAD0 + 4, DIK_NUMPAD4}},
    {SDL_SCANCODE_KP_5, {VK_NUMPAD0 + 5, DIK_NUMPAD5}},
    {SDL_SCANCODE_KP_6, {VK_NUMPAD0 + 6, DIK_NUMPAD6}},
    {SDL_SCANCODE_KP_PLUS, {VK_ADD, DIK_ADD}},
    {SDL_SCANCODE_KP_1, {VK_NUMPAD0 + 1, DIK_NUMPAD1}},
    {SDL_SCANCODE_KP_2, {VK_NUMPAD0 + 2, DIK_NUMPAD2}},
    {SDL_SCANCODE_KP_3, {VK_NUMPAD0 + 3, DIK_NUMPAD3}},
    {SDL_SCANCODE_KP_0, {VK_NUMPAD0, DIK_NUMPAD0}},
    {SDL_SCANCODE_KP_PERIOD, {VK_DECIMAL, DIK_DECIMAL}},
    {SDL_SCANCODE_NONUSBACKSLASH, {kVkOem102, kDikOem102}},
    {SDL_SCANCODE_F11, {VK_F11, DIK_F11}},
    {SDL_SCANCODE_F12, {VK_F12, DIK_F12}},
    {SDL_SCANCODE_F13, {kVkF13, kDikF13}},
    {SDL_SCANCODE_F14, {kVkF14, kDikF14}},
    {SDL_SCANCODE_F15, {kVkF15, kDikF15}},
    {SDL_SCANCODE_KP_ENTER, {VK_RETURN, DIK_NUMPADENTER}},
    {SDL_SCANCODE_RCTRL, {VK_CONTROL, DIK_RCONTROL}},
    {SDL_SCANCODE_KP_DIVIDE, {VK_DIVIDE, DIK_DIVIDE}},
    {SDL_SCANCODE_PRINTSCREEN, {kVkSnapshot, kDikSysRq}},
    {SDL_SCANCODE_RALT, {VK_MENU, DIK_RMENU}},
    {SDL_SCANCODE_PAUSE, {VK_PAUSE, DIK_PAUSE}},
    {SDL_SCANCODE_HOME, {VK_HOME, DIK_HOME}},
    {SDL_SCANCODE_UP, {VK_UP, DIK_UP}},
    {SDL_SCANCODE_PAGEUP, {VK_PRIOR, DIK_PRIOR}},
    {SDL_SCANCODE_LEFT, {VK_LEFT, DIK_LEFT}},
    {SDL_SCANCODE_RIGHT, {VK_RIGHT, DIK_RIGHT}},
    {SDL_SCANCODE_END, {VK_END, DIK_END}},
    {SDL_SCANCODE_DOWN, {VK_DOWN, DIK_DOWN}},
    {SDL_SCANCODE_PAGEDOWN, {VK_NEXT, DIK_NEXT}},
    {SDL_SCANCODE_INSERT, {VK_INSERT, DIK_INSERT}},
    {SDL_SCANCODE_DELETE, {VK_DELETE, DIK_DELETE}},
    {SDL_SCANCODE_LGUI, {kVkLWin, kDikLWin}},
    {SDL_SCANCODE_RGUI, {kVkRWin, kDikRWin}},
    {SDL_SCANCODE_APPLICATION, {kVkApps, kDikApps}},
};

}  // namespace keys

// The codes of a keyboard position; {0, 0} for a key we do not know.
inline KeyCodes MapScancode(int scancode) {
    for (const keys::Entry& e : keys::kTable)
        if (e.scancode == scancode) return e.codes;
    return {0, 0};
}

}  // namespace sdlhost
