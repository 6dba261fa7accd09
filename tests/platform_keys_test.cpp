// The key table every host shares: each key either host mapped before the
// table came keeps its codes, by SDL scancode and by KeyboardEvent.code, and
// the table holds those keys and no others; and the lookup by name.
#include <gtest/gtest.h>

#include <SDL2/SDL_scancode.h>

#include <cstdint>
#include <iterator>

#include "platform/controls/key_table.h"
#include "platform/sdl/key_map.h"
#include "platform/web/key_map.h"

namespace {

struct OldKey {
    SDL_Scancode scancode;
    const char* code;
    uint8_t vk;
    uint8_t dik;
};

// The SDL host's and the browser host's own tables as they were, row for row
// (they differed only in the first column), with the codes as numbers.
constexpr OldKey kOldKeys[] = {
    {SDL_SCANCODE_ESCAPE, "Escape", 0x1B, 0x01},
    {SDL_SCANCODE_1, "Digit1", 0x31, 0x02},
    {SDL_SCANCODE_2, "Digit2", 0x32, 0x03},
    {SDL_SCANCODE_3, "Digit3", 0x33, 0x04},
    {SDL_SCANCODE_4, "Digit4", 0x34, 0x05},
    {SDL_SCANCODE_5, "Digit5", 0x35, 0x06},
    {SDL_SCANCODE_6, "Digit6", 0x36, 0x07},
    {SDL_SCANCODE_7, "Digit7", 0x37, 0x08},
    {SDL_SCANCODE_8, "Digit8", 0x38, 0x09},
    {SDL_SCANCODE_9, "Digit9", 0x39, 0x0A},
    {SDL_SCANCODE_0, "Digit0", 0x30, 0x0B},
    {SDL_SCANCODE_MINUS, "Minus", 0xBD, 0x0C},
    {SDL_SCANCODE_EQUALS, "Equal", 0xBB, 0x0D},
    {SDL_SCANCODE_BACKSPACE, "Backspace", 0x08, 0x0E},
    {SDL_SCANCODE_TAB, "Tab", 0x09, 0x0F},
    {SDL_SCANCODE_Q, "KeyQ", 0x51, 0x10},
    {SDL_SCANCODE_W, "KeyW", 0x57, 0x11},
    {SDL_SCANCODE_E, "KeyE", 0x45, 0x12},
    {SDL_SCANCODE_R, "KeyR", 0x52, 0x13},
    {SDL_SCANCODE_T, "KeyT", 0x54, 0x14},
    {SDL_SCANCODE_Y, "KeyY", 0x59, 0x15},
    {SDL_SCANCODE_U, "KeyU", 0x55, 0x16},
    {SDL_SCANCODE_I, "KeyI", 0x49, 0x17},
    {SDL_SCANCODE_O, "KeyO", 0x4F, 0x18},
    {SDL_SCANCODE_P, "KeyP", 0x50, 0x19},
    {SDL_SCANCODE_LEFTBRACKET, "BracketLeft", 0xDB, 0x1A},
    {SDL_SCANCODE_RIGHTBRACKET, "BracketRight", 0xDD, 0x1B},
    {SDL_SCANCODE_RETURN, "Enter", 0x0D, 0x1C},
    {SDL_SCANCODE_LCTRL, "ControlLeft", 0x11, 0x1D},
    {SDL_SCANCODE_A, "KeyA", 0x41, 0x1E},
    {SDL_SCANCODE_S, "KeyS", 0x53, 0x1F},
    {SDL_SCANCODE_D, "KeyD", 0x44, 0x20},
    {SDL_SCANCODE_F, "KeyF", 0x46, 0x21},
    {SDL_SCANCODE_G, "KeyG", 0x47, 0x22},
    {SDL_SCANCODE_H, "KeyH", 0x48, 0x23},
    {SDL_SCANCODE_J, "KeyJ", 0x4A, 0x24},
    {SDL_SCANCODE_K, "KeyK", 0x4B, 0x25},
    {SDL_SCANCODE_L, "KeyL", 0x4C, 0x26},
    {SDL_SCANCODE_SEMICOLON, "Semicolon", 0xBA, 0x27},
    {SDL_SCANCODE_APOSTROPHE, "Quote", 0xDE, 0x28},
    {SDL_SCANCODE_GRAVE, "Backquote", 0xC0, 0x29},
    {SDL_SCANCODE_LSHIFT, "ShiftLeft", 0x10, 0x2A},
    {SDL_SCANCODE_BACKSLASH, "Backslash", 0xDC, 0x2B},
    {SDL_SCANCODE_Z, "KeyZ", 0x5A, 0x2C},
    {SDL_SCANCODE_X, "KeyX", 0x58, 0x2D},
    {SDL_SCANCODE_C, "KeyC", 0x43, 0x2E},
    {SDL_SCANCODE_V, "KeyV", 0x56, 0x2F},
    {SDL_SCANCODE_B, "KeyB", 0x42, 0x30},
    {SDL_SCANCODE_N, "KeyN", 0x4E, 0x31},
    {SDL_SCANCODE_M, "KeyM", 0x4D, 0x32},
    {SDL_SCANCODE_COMMA, "Comma", 0xBC, 0x33},
    {SDL_SCANCODE_PERIOD, "Period", 0xBE, 0x34},
    {SDL_SCANCODE_SLASH, "Slash", 0xBF, 0x35},
    {SDL_SCANCODE_RSHIFT, "ShiftRight", 0x10, 0x36},
    {SDL_SCANCODE_KP_MULTIPLY, "NumpadMultiply", 0x6A, 0x37},
    {SDL_SCANCODE_LALT, "AltLeft", 0x12, 0x38},
    {SDL_SCANCODE_SPACE, "Space", 0x20, 0x39},
    {SDL_SCANCODE_CAPSLOCK, "CapsLock", 0x14, 0x3A},
    {SDL_SCANCODE_F1, "F1", 0x70, 0x3B},
    {SDL_SCANCODE_F2, "F2", 0x71, 0x3C},
    {SDL_SCANCODE_F3, "F3", 0x72, 0x3D},
    {SDL_SCANCODE_F4, "F4", 0x73, 0x3E},
    {SDL_SCANCODE_F5, "F5", 0x74, 0x3F},
    {SDL_SCANCODE_F6, "F6", 0x75, 0x40},
    {SDL_SCANCODE_F7, "F7", 0x76, 0x41},
    {SDL_SCANCODE_F8, "F8", 0x77, 0x42},
    {SDL_SCANCODE_F9, "F9", 0x78, 0x43},
    {SDL_SCANCODE_F10, "F10", 0x79, 0x44},
    {SDL_SCANCODE_NUMLOCKCLEAR, "NumLock", 0x90, 0x45},
    {SDL_SCANCODE_SCROLLLOCK, "ScrollLock", 0x91, 0x46},
    {SDL_SCANCODE_KP_7, "Numpad7", 0x67, 0x47},
    {SDL_SCANCODE_KP_8, "Numpad8", 0x68, 0x48},
    {SDL_SCANCODE_KP_9, "Numpad9", 0x69, 0x49},
    {SDL_SCANCODE_KP_MINUS, "NumpadSubtract", 0x6D, 0x4A},
    {SDL_SCANCODE_KP_4, "Numpad4", 0x64, 0x4B},
    {SDL_SCANCODE_KP_5, "Numpad5", 0x65, 0x4C},
    {SDL_SCANCODE_KP_6, "Numpad6", 0x66, 0x4D},
    {SDL_SCANCODE_KP_PLUS, "NumpadAdd", 0x6B, 0x4E},
    {SDL_SCANCODE_KP_1, "Numpad1", 0x61, 0x4F},
    {SDL_SCANCODE_KP_2, "Numpad2", 0x62, 0x50},
    {SDL_SCANCODE_KP_3, "Numpad3", 0x63, 0x51},
    {SDL_SCANCODE_KP_0, "Numpad0", 0x60, 0x52},
    {SDL_SCANCODE_KP_PERIOD, "NumpadDecimal", 0x6E, 0x53},
    {SDL_SCANCODE_NONUSBACKSLASH, "IntlBackslash", 0xE2, 0x56},
    {SDL_SCANCODE_F11, "F11", 0x7A, 0x57},
    {SDL_SCANCODE_F12, "F12", 0x7B, 0x58},
    {SDL_SCANCODE_F13, "F13", 0x7C, 0x64},
    {SDL_SCANCODE_F14, "F14", 0x7D, 0x65},
    {SDL_SCANCODE_F15, "F15", 0x7E, 0x66},
    {SDL_SCANCODE_KP_ENTER, "NumpadEnter", 0x0D, 0x9C},
    {SDL_SCANCODE_RCTRL, "ControlRight", 0x11, 0x9D},
    {SDL_SCANCODE_KP_DIVIDE, "NumpadDivide", 0x6F, 0xB5},
    {SDL_SCANCODE_PRINTSCREEN, "PrintScreen", 0x2C, 0xB7},
    {SDL_SCANCODE_RALT, "AltRight", 0x12, 0xB8},
    {SDL_SCANCODE_PAUSE, "Pause", 0x13, 0xC5},
    {SDL_SCANCODE_HOME, "Home", 0x24, 0xC7},
    {SDL_SCANCODE_UP, "ArrowUp", 0x26, 0xC8},
    {SDL_SCANCODE_PAGEUP, "PageUp", 0x21, 0xC9},
    {SDL_SCANCODE_LEFT, "ArrowLeft", 0x25, 0xCB},
    {SDL_SCANCODE_RIGHT, "ArrowRight", 0x27, 0xCD},
    {SDL_SCANCODE_END, "End", 0x23, 0xCF},
    {SDL_SCANCODE_DOWN, "ArrowDown", 0x28, 0xD0},
    {SDL_SCANCODE_PAGEDOWN, "PageDown", 0x22, 0xD1},
    {SDL_SCANCODE_INSERT, "Insert", 0x2D, 0xD2},
    {SDL_SCANCODE_DELETE, "Delete", 0x2E, 0xD3},
    {SDL_SCANCODE_LGUI, "MetaLeft", 0x5B, 0xDB},
    {SDL_SCANCODE_RGUI, "MetaRight", 0x5C, 0xDC},
    {SDL_SCANCODE_APPLICATION, "ContextMenu", 0x5D, 0xDD},
};

TEST(KeyTable, EveryKeyTheHostsMappedKeepsItsCodes) {
    for (const OldKey& old : kOldKeys) {
        const platform::KeyCodes sdl = sdlhost::MapScancode(old.scancode);
        EXPECT_EQ(sdl.vk, old.vk) << old.code;
        EXPECT_EQ(sdl.dik, old.dik) << old.code;
        const platform::KeyCodes web = webhost::MapKeyCode(old.code);
        EXPECT_EQ(web.vk, old.vk) << old.code;
        EXPECT_EQ(web.dik, old.dik) << old.code;
    }
}

TEST(KeyTable, HoldsTheKeysTheHostsMappedAndNoOthers) {
    ASSERT_EQ(platform::Keys().size(), std::size(kOldKeys));
    for (const OldKey& old : kOldKeys) {
        const platform::Key* key = platform::FindKeyByUsage(old.scancode);
        ASSERT_NE(key, nullptr) << old.code;
        EXPECT_STREQ(key->name, old.code);
    }
}

TEST(KeyTable, UnknownKeysHaveNoCodes) {
    for (int usage : {-1, 0, 0x32, 0x66, 0x6B, 0xE8, 0x10000}) {
        EXPECT_EQ(platform::FindKeyByUsage(usage), nullptr) << usage;
        EXPECT_EQ(sdlhost::MapScancode(usage).vk, 0) << usage;
        EXPECT_EQ(sdlhost::MapScancode(usage).dik, 0) << usage;
    }
    for (const char* code : {"", "Fn", "NumpadEqual", "Key A", "Escape "}) {
        EXPECT_EQ(webhost::MapKeyCode(code).vk, 0) << code;
        EXPECT_EQ(webhost::MapKeyCode(code).dik, 0) << code;
    }
}

TEST(KeyTable, NamesAreFoundInAnyCase) {
    for (const char* name : {"Escape", "escape", "ESCAPE", "eScApE"}) {
        const platform::Key* key = platform::FindKeyByName(name);
        ASSERT_NE(key, nullptr) << name;
        EXPECT_EQ(key->usage, 0x29);
        EXPECT_EQ(key->codes.vk, VK_ESCAPE);
    }
    EXPECT_EQ(platform::FindKeyByName("keya"), platform::FindKeyByUsage(0x04));
    EXPECT_EQ(platform::FindKeyByName("f1"), platform::FindKeyByUsage(0x3A));
    for (const platform::Key& key : platform::Keys()) EXPECT_EQ(platform::FindKeyByName(key.name), &key);
}

}  // namespace
