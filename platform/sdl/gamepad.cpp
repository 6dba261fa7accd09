#include "platform/sdl/gamepad.h"

#include <SDL.h>

#include "platform/controls/host_gamepad.h"

namespace sdlhost {

namespace {

constexpr float kAxisTravel = 32767.0f;

struct Gamepad {
    bool started = false;
    bool available = false;
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    bool feeding = false;  // the platform has had a reading since the last release
    int64_t lastMs = 0;
};

Gamepad gPad;

bool Start() {
    if (!gPad.started) {
        gPad.started = true;
        gPad.available = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
        if (!gPad.available) SDL_Log("kalvenor: no controllers: %s", SDL_GetError());
    }
    return gPad.available;
}

void Release() {
    if (gPad.feeding) platform::HostPadGone();
    gPad.feeding = false;
}

void Close() {
    Release();
    if (gPad.controller) SDL_GameControllerClose(gPad.controller);
    gPad.controller = nullptr;
    gPad.id = -1;
}

// The controller plugged in first has the lowest instance id; joysticks
// without a controller mapping are left alone.
void OpenFirst() {
    int chosen = -1;
    SDL_JoystickID chosenId = -1;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (!SDL_IsGameController(i)) continue;
        SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(i);
        if (chosen < 0 || id < chosenId) {
            chosen = i;
            chosenId = id;
        }
    }
    if (chosen < 0) return;
    gPad.controller = SDL_GameControllerOpen(chosen);
    if (gPad.controller) gPad.id = chosenId;
}

float Axis(SDL_GameControllerAxis axis) {
    return SDL_GameControllerGetAxis(gPad.controller, axis) / kAxisTravel;
}

bool Held(SDL_GameControllerButton button) { return SDL_GameControllerGetButton(gPad.controller, button) != 0; }

platform::PadReading Read() {
    platform::PadReading pad;
    pad.leftX = Axis(SDL_CONTROLLER_AXIS_LEFTX);
    pad.leftY = Axis(SDL_CONTROLLER_AXIS_LEFTY);
    pad.rightX = Axis(SDL_CONTROLLER_AXIS_RIGHTX);
    pad.rightY = Axis(SDL_CONTROLLER_AXIS_RIGHTY);
    pad.leftTrigger = Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT);
    pad.rightTrigger = Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    pad.buttons[platform::kPadA] = Held(SDL_CONTROLLER_BUTTON_A);
    pad.buttons[platform::kPadX] = Held(SDL_CONTROLLER_BUTTON_X);
    pad.buttons[platform::kPadRightShoulder] = Held(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    pad.buttons[platform::kPadStart] = Held(SDL_CONTROLLER_BUTTON_START);
    pad.buttons[platform::kPadBack] = Held(SDL_CONTROLLER_BUTTON_BACK);
    pad.buttons[platform::kPadUp] = Held(SDL_CONTROLLER_BUTTON_DPAD_UP);
    pad.buttons[platform::kPadDown] = Held(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    pad.buttons[platform::kPadLeft] = Held(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    pad.buttons[platform::kPadRight] = Held(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    return pad;
}

}  // namespace

void PumpGamepad(int64_t nowMs, bool inFront) {
    if (!Start()) return;
    if (gPad.controller && !SDL_GameControllerGetAttached(gPad.controller)) Close();
    if (!gPad.controller) OpenFirst();
    if (!gPad.controller || !inFront) {
        Release();
        return;
    }
    // The first reading after a pause moves nothing: time away is not aim.
    int64_t elapsed = gPad.feeding ? nowMs - gPad.lastMs : 0;
    gPad.lastMs = nowMs;
    gPad.feeding = true;
    platform::HostPad(Read(), static_cast<uint32_t>(elapsed < 0 ? 0 : elapsed));
}

void StopGamepad() {
    Close();
    if (gPad.available) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    gPad = {};
}

}  // namespace sdlhost
