// The DirectInput mouse and keyboard: cursor, buttons and key state.
#pragma once

#define DIRECTINPUT_VERSION 0x0300
#include <dinput.h>

#include <cstdint>

constexpr int32_t kCursorMaxX = 750;
constexpr int32_t kCursorMaxY = 550;

class InputDevices {
public:
    InputDevices();
    ~InputDevices();

    int Create(HWND window);
    void Poll();
    void Acquire();
    void Release();

    int32_t cursorX;
    int32_t cursorY;
    uint8_t leftButton;
    uint8_t rightButton;
    LPDIRECTINPUT directInput;
    LPDIRECTINPUTDEVICE keyboard;
    LPDIRECTINPUTDEVICE mouse;
    uint8_t keyState[256];
};
