// DirectInputCreateA, IDirectInput and the system mouse and keyboard devices:
// immediate-mode state reads fed by the host's motion, buttons and keys.
#define DIRECTINPUT_VERSION 0x0300
#include <dinput.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/faults.h"
#include "platform/host.h"
#include "platform/host_events.h"
#include "platform/inspect.h"
#include "platform/internal.h"
#include "platform/settings/active.h"
#include "platform/win32/com_object.h"

extern "C" {
const GUID GUID_SysMouse = {0x6F1D2B60, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_SysKeyboard = {0x6F1D2B61, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
// The predefined formats are recognised by address; their object lists are
// never looked at, so they carry none.
const DIDATAFORMAT c_dfDIMouse = {sizeof(DIDATAFORMAT), 0, 1 /* relative axes */, sizeof(DIMOUSESTATE), 0, nullptr};
const DIDATAFORMAT c_dfDIKeyboard = {sizeof(DIDATAFORMAT), 0, 0, 256, 0, nullptr};
}

namespace platform {
namespace {

constexpr BYTE kDown = 0x80;
constexpr int kMouseButtons = 4;
constexpr int kKeys = 256;
constexpr DWORD kExclusivity = DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE;
constexpr DWORD kScope = DISCL_FOREGROUND | DISCL_BACKGROUND;

// What the host says is held right now.
struct HostInput {
    BYTE buttons[kMouseButtons];
    BYTE keys[kKeys];
};
constinit HostInput held = {};
// Which InputSources hold each mouse button, one bit each.
constinit uint8_t holders[kMouseButtons] = {};
constinit bool inForeground = true;
// The mouse's motion not yet a whole pixel at the player's speed.
constinit double motionCarryX = 0, motionCarryY = 0;
constinit int refusedAcquires = 0;
constinit int liveObjects = 0;

class Device;
constinit Device* firstDevice = nullptr;

class Device final : public ComObject<IDirectInputDeviceA> {
public:
    explicit Device(bool isMouse) : mouse(isMouse) {
        next = firstDevice;
        if (firstDevice != nullptr) firstDevice->prev = this;
        firstDevice = this;
        ++liveObjects;
    }

    HRESULT STDMETHODCALLTYPE Acquire() override {
        if (format == nullptr) return DIERR_INVALIDPARAM;
        if ((level & DISCL_FOREGROUND) != 0 && !inForeground) return DIERR_OTHERAPPHASPRIO;
        if (refusedAcquires > 0) {
            --refusedAcquires;
            return DIERR_OTHERAPPHASPRIO;
        }
        if (!acquired) {
            acquired = true;
            inputLost = false;
            motionX = motionY = 0;
            std::memset(pressed, 0, sizeof(pressed));
            std::memset(readDown, 0, sizeof(readDown));
        }
        return DI_OK;
    }

    HRESULT STDMETHODCALLTYPE GetDeviceState(DWORD cbData, LPVOID lpvData) override {
        host::PumpEvents();
        if (lpvData == nullptr || format == nullptr || cbData != format->dwDataSize) return DIERR_INVALIDPARAM;
        if (!acquired) {
            if (inputLost) {
                inputLost = false;
                return DIERR_INPUTLOST;
            }
            return DIERR_NOTACQUIRED;
        }
        if (mouse) {
            DIMOUSESTATE state = {Clamp(motionX), Clamp(motionY), 0, {}};
            for (int i = 0; i < kMouseButtons; ++i) state.rgbButtons[i] = ReadButton(i);
            std::memcpy(lpvData, &state, sizeof(state));
            motionX = motionY = 0;
        } else {
            std::memcpy(lpvData, held.keys, kKeys);
        }
        return DI_OK;
    }

    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND, DWORD dwFlags) override {
        DWORD exclusivity = dwFlags & kExclusivity;
        DWORD scope = dwFlags & kScope;
        if (exclusivity == kExclusivity || exclusivity == 0 || scope == kScope || scope == 0)
            return DIERR_INVALIDPARAM;
        level = dwFlags;
        return DI_OK;
    }

    HRESULT STDMETHODCALLTYPE SetDataFormat(LPCDIDATAFORMAT lpdf) override {
        if (acquired) return DIERR_GENERIC;
        if (lpdf != (mouse ? &c_dfDIMouse : &c_dfDIKeyboard)) return DIERR_INVALIDPARAM;
        format = lpdf;
        return DI_OK;
    }

    // The window left the front: a foreground device loses its acquisition.
    void LoseAcquisition(bool foregroundOnly) {
        if (foregroundOnly && (level & DISCL_FOREGROUND) == 0) return;
        if (acquired) inputLost = true;
        acquired = false;
    }

    void AddMotion(int32_t dx, int32_t dy) {
        if (!mouse || !acquired) return;
        motionX += dx;
        motionY += dy;
    }

    void AddPress(int index) {
        if (mouse && acquired) pressed[index] = true;
    }

    Device* next = nullptr;

private:
    ~Device() override {
        if (prev != nullptr) prev->next = next;
        else firstDevice = next;
        if (next != nullptr) next->prev = prev;
        --liveObjects;
    }

    static LONG Clamp(int64_t v) { return LONG(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

    // Every press is read as down once, even one released before the read:
    // a tap shorter than a frame still counts. A new press after a read that
    // saw the button down is read as up first, so the release is not lost.
    BYTE ReadButton(int i) {
        bool down = held.buttons[i] != 0;
        if (pressed[i] && readDown[i]) {
            down = false;
        } else if (pressed[i]) {
            down = true;
            pressed[i] = false;
        }
        readDown[i] = down;
        return down ? kDown : 0;
    }

    Device* prev = nullptr;
    const bool mouse;
    DWORD level = DISCL_NONEXCLUSIVE | DISCL_BACKGROUND;
    LPCDIDATAFORMAT format = nullptr;
    bool acquired = false;
    bool inputLost = false;  // the next read reports the loss once
    int64_t motionX = 0, motionY = 0;  // since the last successful read
    bool pressed[kMouseButtons] = {};   // pressed since the last successful read
    bool readDown[kMouseButtons] = {};  // the last successful read saw it down
};

class DirectInput final : public ComObject<IDirectInputA> {
public:
    DirectInput() { ++liveObjects; }

    HRESULT STDMETHODCALLTYPE CreateDevice(REFGUID rguid, LPDIRECTINPUTDEVICEA* device, LPUNKNOWN outer) override {
        if (device == nullptr) return DIERR_INVALIDPARAM;
        *device = nullptr;
        if (outer != nullptr) return DIERR_INVALIDPARAM;
        if (rguid == GUID_SysMouse) *device = new Device(true);
        else if (rguid == GUID_SysKeyboard) *device = new Device(false);
        else return DIERR_DEVICENOTREG;
        return DI_OK;
    }

private:
    ~DirectInput() override { --liveObjects; }
};

void UnacquireAll(bool foregroundOnly) {
    for (Device* d = firstDevice; d != nullptr; d = d->next) d->LoseAcquisition(foregroundOnly);
}

}  // namespace

void HostMouseMotion(int32_t dx, int32_t dy, InputSource from) {
    if (from == InputSource::Mouse) {
        double speed = settings::Active().mouseSpeed;
        double x = dx * speed + motionCarryX, y = dy * speed + motionCarryY;
        dx = static_cast<int32_t>(std::trunc(x));
        dy = static_cast<int32_t>(std::trunc(y));
        motionCarryX = x - dx;
        motionCarryY = y - dy;
    }
    if (dx == 0 && dy == 0) return;
    for (Device* d = firstDevice; d != nullptr; d = d->next) d->AddMotion(dx, dy);
}

void HostMouseButton(int index, bool down, InputSource by) {
    if (index < 0 || index >= kMouseButtons) return;
    if (by == InputSource::Mouse && settings::Active().swapButtons && index < 2) index = 1 - index;
    auto bit = static_cast<uint8_t>(1u << static_cast<int>(by));
    if (down && holders[index] == 0)
        for (Device* d = firstDevice; d != nullptr; d = d->next) d->AddPress(index);
    holders[index] = down ? holders[index] | bit : holders[index] & ~bit;
    held.buttons[index] = holders[index] != 0 ? kDown : 0;
}

void InputKey(uint8_t dik, bool down) { held.keys[dik] = down ? kDown : 0; }

void InputOnForeground(bool active) {
    inForeground = active;
    if (!active) UnacquireAll(true);
}

void ResetInputFaults() {
    held = {};
    std::memset(holders, 0, sizeof(holders));
    inForeground = true;
    motionCarryX = motionCarryY = 0;
    refusedAcquires = 0;
}

namespace faults {
void UnacquireInput(int refused) {
    UnacquireAll(false);
    refusedAcquires = std::max(refused, 0);
}
}  // namespace faults

namespace inspect {
int LiveInputDevices() { return liveObjects; }
}  // namespace inspect

}  // namespace platform

extern "C" HRESULT WINAPI DirectInputCreateA(HINSTANCE, DWORD dwVersion, LPDIRECTINPUTA* ppDI, LPUNKNOWN punkOuter) {
    if (ppDI == nullptr) return DIERR_INVALIDPARAM;
    *ppDI = nullptr;
    if (punkOuter != nullptr) return DIERR_INVALIDPARAM;
    if (platform::faults::Take("DirectInputCreateA")) return DIERR_GENERIC;
    if (dwVersion != DIRECTINPUT_VERSION) return DIERR_OLDDIRECTINPUTVERSION;
    *ppDI = new platform::DirectInput;
    return DI_OK;
}
