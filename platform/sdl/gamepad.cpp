#include "platform/sdl/gamepad.h"

#include <SDL.h>

#include <algorithm>
#include <iterator>

#include "platform/controls/host_gamepad.h"

namespace sdlhost {

namespace {

constexpr float kAxisTravel = 32767.0f;

struct ButtonName {
    SDL_GameControllerButton sdl;
    platform::PadButton pad;
};

constexpr ButtonName kButtons[] = {
    {SDL_CONTROLLER_BUTTON_A, platform::kPadA},
    {SDL_CONTROLLER_BUTTON_X, platform::kPadX},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, platform::kPadRightShoulder},
    {SDL_CONTROLLER_BUTTON_START, platform::kPadStart},
    {SDL_CONTROLLER_BUTTON_BACK, platform::kPadBack},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, platform::kPadUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, platform::kPadDown},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, platform::kPadLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, platform::kPadRight},
};

// What the button events latched since the last look.
struct Latched {
    bool pressed[platform::kPadButtons] = {};
    bool backDown = false;
    int64_t backDownMs = 0;
    int64_t backLetGoHeldMs = 0;  // the longest hold of Back let go since
};

struct Gamepad {
    bool started = false;
    bool available = false;
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    bool feeding = false;  // the platform has had a reading since the last release
    int64_t lastMs = 0;
    Latched latched;
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
    gPad.latched = {};
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

platform::PadReading Read(int64_t nowMs) {
    platform::PadReading pad;
    pad.leftX = Axis(SDL_CONTROLLER_AXIS_LEFTX);
    pad.leftY = Axis(SDL_CONTROLLER_AXIS_LEFTY);
    pad.rightX = Axis(SDL_CONTROLLER_AXIS_RIGHTX);
    pad.rightY = Axis(SDL_CONTROLLER_AXIS_RIGHTY);
    pad.leftTrigger = Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT);
    pad.rightTrigger = Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    Latched& latched = gPad.latched;
    for (const ButtonName& b : kButtons) {
        pad.buttons[b.pad] = SDL_GameControllerGetButton(gPad.controller, b.sdl) != 0;
        pad.pressed[b.pad] = latched.pressed[b.pad];
    }
    int64_t held = latched.backDown ? nowMs - latched.backDownMs : 0;
    if (held < latched.backLetGoHeldMs) held = latched.backLetGoHeldMs;
    pad.backHeldMs = static_cast<uint32_t>(held < 0 ? 0 : held);
    std::fill(std::begin(latched.pressed), std::end(latched.pressed), false);
    latched.backLetGoHeldMs = 0;
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
    platform::HostPad(Read(nowMs), static_cast<uint32_t>(elapsed < 0 ? 0 : elapsed));
}

void PadButtonEvent(const SDL_ControllerButtonEvent& button, int64_t atMs) {
    if (!gPad.controller || button.which != gPad.id) return;
    for (const ButtonName& b : kButtons) {
        if (b.sdl != button.button) continue;
        bool down = button.type == SDL_CONTROLLERBUTTONDOWN;
        Latched& latched = gPad.latched;
        if (down) latched.pressed[b.pad] = true;
        if (b.pad != platform::kPadBack || down == latched.backDown) return;
        latched.backDown = down;
        if (down) latched.backDownMs = atMs;
        else latched.backLetGoHeldMs = std::max(latched.backLetGoHeldMs, atMs - latched.backDownMs);
        return;
    }
}

void StopGamepad() {
    Close();
    if (gPad.available) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    gPad = {};
}

}  // namespace sdlhost
