#include "platform/sdl/gamepad.h"

#include <SDL.h>

#include <algorithm>
#include <iterator>

#include "platform/controls/host_gamepad.h"
#include "platform/controls/pad_buttons.h"
#include "platform/sdl/menu.h"
#include "platform/settings/active.h"

namespace sdlhost {

namespace {

constexpr float kAxisTravel = 32767.0f;

// The platform's buttons are SDL's, in SDL's order.
static_assert(int{SDL_CONTROLLER_BUTTON_A} == int{platform::kPadA} &&
              int{SDL_CONTROLLER_BUTTON_BACK} == int{platform::kPadBack} &&
              int{SDL_CONTROLLER_BUTTON_DPAD_RIGHT} == int{platform::kPadRight});

// What the button events latched since the last look.
struct Latched {
    bool pressed[platform::kPadButtons] = {};
    bool quitDown = false;
    int64_t quitDownMs = 0;
    int64_t quitLetGoHeldMs = 0;  // the longest hold of the quit button let go since
};

struct Gamepad {
    bool started = false;
    bool available = false;
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    bool feeding = false;  // the platform has had a reading since the last release
    bool heldBack = false;  // until every button is let go
    bool backDown = false;  // Back, timed for the settings menu
    int64_t backDownMs = 0;
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
    for (int b = 0; b < platform::kPadButtons; ++b) {
        pad.buttons[b] = SDL_GameControllerGetButton(gPad.controller, static_cast<SDL_GameControllerButton>(b)) != 0;
        pad.pressed[b] = latched.pressed[b];
    }
    int64_t held = latched.quitDown ? nowMs - latched.quitDownMs : 0;
    if (held < latched.quitLetGoHeldMs) held = latched.quitLetGoHeldMs;
    pad.quitHeldMs = static_cast<uint32_t>(held < 0 ? 0 : held);
    std::fill(std::begin(latched.pressed), std::end(latched.pressed), false);
    latched.quitLetGoHeldMs = 0;
    return pad;
}

// Back let go before the quit's hold opens the settings menu, unless the
// player gave Back an action other than quitting.
void TimeBack(uint8_t button, bool down, int64_t atMs) {
    if (button != platform::kPadBack) return;
    const platform::settings::Settings& chosen = platform::settings::Active();
    bool free = chosen.padFire != platform::kPadBack && chosen.padReload != platform::kPadBack &&
                chosen.padNewGame != platform::kPadBack;
    if (down) {
        gPad.backDownMs = atMs;
        gPad.backDown = true;
    } else if (gPad.backDown) {
        gPad.backDown = false;
        if (free && atMs - gPad.backDownMs < platform::kBackHoldMs) RequestMenu();
    }
}

}  // namespace

void PumpGamepad(int64_t nowMs, bool inFront) {
    if (!Start()) return;
    if (gPad.controller && !SDL_GameControllerGetAttached(gPad.controller)) Close();
    if (!gPad.controller) OpenFirst();
    if (gPad.controller && gPad.heldBack) {
        bool any = false;
        for (int b = 0; b < platform::kPadButtons; ++b)
            any = any || SDL_GameControllerGetButton(gPad.controller, static_cast<SDL_GameControllerButton>(b));
        gPad.heldBack = any;
    }
    if (!gPad.controller || !inFront || gPad.heldBack) {
        Release();
        return;
    }
    // The first reading after a pause moves nothing: time away is not aim.
    int64_t elapsed = gPad.feeding ? nowMs - gPad.lastMs : 0;
    gPad.lastMs = nowMs;
    gPad.feeding = true;
    platform::HostPad(Read(nowMs), static_cast<uint32_t>(elapsed < 0 ? 0 : elapsed));
}

void HoldPadUntilLetGo() {
    gPad.heldBack = true;
    gPad.backDown = false;
}

void PadButtonEvent(const SDL_ControllerButtonEvent& button, int64_t atMs) {
    if (!gPad.controller || button.which != gPad.id || gPad.heldBack) return;
    if (button.button >= platform::kPadButtons) return;
    bool down = button.type == SDL_CONTROLLERBUTTONDOWN;
    Latched& latched = gPad.latched;
    if (down) latched.pressed[button.button] = true;
    TimeBack(button.button, down, atMs);
    if (button.button != platform::settings::Active().padQuit || down == latched.quitDown) return;
    latched.quitDown = down;
    if (down) latched.quitDownMs = atMs;
    else latched.quitLetGoHeldMs = std::max(latched.quitLetGoHeldMs, atMs - latched.quitDownMs);
}

void StopGamepad() {
    Close();
    if (gPad.available) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    gPad = {};
}

}  // namespace sdlhost
