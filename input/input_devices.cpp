// InputDevices: the DirectInput mouse and keyboard, polled once a frame.
#include "input/input_devices.h"

#include "display/display.h"

namespace {

constexpr int32_t kStartCursorX = 320;
constexpr int32_t kStartCursorY = 240;
constexpr DWORD kCooperativeLevel = DISCL_NONEXCLUSIVE | DISCL_FOREGROUND;

// Adds a frame's motion and holds the result inside 0..limit; summed wide so
// that no motion, however large, can wrap around.
int32_t MoveClamped(int32_t position, LONG motion, int32_t limit) {
    int64_t moved = int64_t(position) + motion;
    if (moved < 0) moved = 0;
    if (moved > limit) moved = limit;
    return int32_t(moved);
}

}  // namespace

InputDevices::InputDevices()
    : cursorX(kStartCursorX),
      cursorY(kStartCursorY),
      leftButton(0),
      rightButton(0),
      directInput(nullptr),
      keyboard(nullptr),
      mouse(nullptr),
      keyState{} {}

InputDevices::~InputDevices() { Release(); }

int InputDevices::Create(HWND window) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    HRESULT hr = DirectInputCreateA(instance, DIRECTINPUT_VERSION, &directInput, nullptr);
    if (FAILED(hr)) {
        directInput = nullptr;
        return ReportFailure(hr, "DirectInputCreate");
    }
    // The set-up results are not examined: a device that did not come up is
    // simply never read.
    directInput->CreateDevice(GUID_SysMouse, &mouse, nullptr);
    directInput->CreateDevice(GUID_SysKeyboard, &keyboard, nullptr);
    if (mouse != nullptr) mouse->SetCooperativeLevel(window, kCooperativeLevel);
    if (keyboard != nullptr) keyboard->SetCooperativeLevel(window, kCooperativeLevel);
    if (mouse != nullptr) mouse->SetDataFormat(&c_dfDIMouse);
    if (keyboard != nullptr) keyboard->SetDataFormat(&c_dfDIKeyboard);
    Acquire();
    return 1;
}

void InputDevices::Poll() {
    if (keyboard == nullptr || keyboard->GetDeviceState(sizeof(keyState), keyState) != DI_OK) Acquire();

    DIMOUSESTATE state = {};
    if (mouse == nullptr || mouse->GetDeviceState(sizeof(state), &state) != DI_OK) {
        Acquire();
        // A failed read holds nothing usable: no motion and both buttons up.
        state = {};
    }
    cursorX = MoveClamped(cursorX, state.lX, kCursorMaxX);
    cursorY = MoveClamped(cursorY, state.lY, kCursorMaxY);
    leftButton = state.rgbButtons[0];
    rightButton = state.rgbButtons[1];
}

void InputDevices::Acquire() {
    if (mouse != nullptr) mouse->Acquire();
    if (keyboard != nullptr) keyboard->Acquire();
}

void InputDevices::Release() {
    if (directInput == nullptr) return;
    if (mouse != nullptr) {
        mouse->Release();
        mouse = nullptr;
    }
    if (keyboard != nullptr) {
        keyboard->Release();
        keyboard = nullptr;
    }
    directInput->Release();
    directInput = nullptr;
}
