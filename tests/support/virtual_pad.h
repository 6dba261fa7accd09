// A virtual controller in SDL's standard layout, for the tests of the SDL
// host's controller code.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>

namespace kalvenor_test {

constexpr int16_t kAxisMin = -32768, kAxisMax = 32767;

// Axes and buttons numbered as SDL_GameControllerAxis and
// SDL_GameControllerButton.
struct VirtualPad {
    int index = -1;
    SDL_Joystick* joystick = nullptr;

    void Plug() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        index = SDL_JoystickAttachVirtualEx(&desc);
        ASSERT_GE(index, 0) << SDL_GetError();
        joystick = SDL_JoystickOpen(index);
        ASSERT_NE(joystick, nullptr) << SDL_GetError();
        // A virtual trigger's axis runs over the whole range; at rest is its minimum.
        Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, kAxisMin);
        Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, kAxisMin);
    }
    void Unplug() {
        if (!joystick) return;
        SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
        SDL_JoystickClose(joystick);
        joystick = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
    void Axis(SDL_GameControllerAxis axis, int16_t value) { SDL_JoystickSetVirtualAxis(joystick, axis, value); }
    void Button(SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(joystick, button, down ? 1 : 0);
    }
};

}  // namespace kalvenor_test
