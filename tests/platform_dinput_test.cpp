// The DirectInput stand-in: devices, read sizes, relative motion, buttons and
// keys, and what losing the foreground does to reads and acquisition.
#include <gtest/gtest.h>

#define DIRECTINPUT_VERSION 0x0300
#include <dinput.h>

#include <cstring>

#include "platform/faults.h"
#include "platform/headless/headless.h"
#include "platform/host_events.h"
#include "platform/inspect.h"

namespace {

constexpr DWORD kForeground = DISCL_NONEXCLUSIVE | DISCL_FOREGROUND;

TEST(DirectInputCreate, NeedsVersion0300AndCanBeMadeToFail) {
    headless::Reset();
    LPDIRECTINPUT di = nullptr;
    EXPECT_EQ(DirectInputCreateA(nullptr, 0x0800, &di, nullptr), DIERR_OLDDIRECTINPUTVERSION);
    platform::faults::FailNext("DirectInputCreateA");
    EXPECT_LT(DirectInputCreateA(nullptr, DIRECTINPUT_VERSION, &di, nullptr), 0);
    EXPECT_EQ(di, nullptr);
    ASSERT_EQ(DirectInputCreateA(nullptr, DIRECTINPUT_VERSION, &di, nullptr), DI_OK);
    LPDIRECTINPUTDEVICE device = nullptr;
    EXPECT_EQ(di->CreateDevice(GUID_SysMouse, &device, nullptr), DI_OK);
    device->Release();
    GUID other = GUID_SysKeyboard;
    other.Data1 = 0x12345678;
    EXPECT_LT(di->CreateDevice(other, &device, nullptr), 0);
    EXPECT_EQ(device, nullptr);
    di->Release();
    EXPECT_EQ(platform::inspect::LiveInputDevices(), 0);
}

class DirectInputDevices : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
        ASSERT_EQ(DirectInputCreateA(nullptr, DIRECTINPUT_VERSION, &di, nullptr), DI_OK);
        di->CreateDevice(GUID_SysMouse, &mouse, nullptr);
        di->CreateDevice(GUID_SysKeyboard, &keyboard, nullptr);
        mouse->SetCooperativeLevel(nullptr, kForeground);
        keyboard->SetCooperativeLevel(nullptr, kForeground);
        mouse->SetDataFormat(&c_dfDIMouse);
        keyboard->SetDataFormat(&c_dfDIKeyboard);
    }
    void TearDown() override {
        mouse->Release();
        keyboard->Release();
        di->Release();
        EXPECT_EQ(platform::inspect::LiveInputDevices(), 0);
        headless::Reset();
    }
    HRESULT ReadMouse(DIMOUSESTATE* state) { return mouse->GetDeviceState(sizeof(*state), state); }

    LPDIRECTINPUT di = nullptr;
    LPDIRECTINPUTDEVICE mouse = nullptr;
    LPDIRECTINPUTDEVICE keyboard = nullptr;
};

TEST_F(DirectInputDevices, ReadsNeedAcquisitionAndTheFormatsSize) {
    DIMOUSESTATE state = {};
    BYTE keys[256] = {};
    EXPECT_EQ(ReadMouse(&state), DIERR_NOTACQUIRED);
    EXPECT_EQ(mouse->Acquire(), DI_OK);
    EXPECT_EQ(keyboard->Acquire(), DI_OK);
    EXPECT_EQ(mouse->GetDeviceState(12, &state), DIERR_INVALIDPARAM);
    EXPECT_EQ(keyboard->GetDeviceState(255, keys), DIERR_INVALIDPARAM);
    EXPECT_EQ(ReadMouse(&state), DI_OK);
    EXPECT_EQ(keyboard->GetDeviceState(sizeof(keys), keys), DI_OK);
    EXPECT_EQ(mouse->SetDataFormat(&c_dfDIKeyboard), DIERR_GENERIC);
    EXPECT_EQ(mouse->SetCooperativeLevel(nullptr, DISCL_FOREGROUND), DIERR_INVALIDPARAM);
}

TEST_F(DirectInputDevices, MotionIsRelativeToTheLastSuccessfulRead) {
    mouse->Acquire();
    DIMOUSESTATE state = {};
    platform::HostMouseMotion(5, -3);
    platform::HostMouseMotion(200, 10);
    ASSERT_EQ(ReadMouse(&state), DI_OK);
    EXPECT_EQ(state.lX, 205);
    EXPECT_EQ(state.lY, 7);
    EXPECT_EQ(state.lZ, 0);
    ASSERT_EQ(ReadMouse(&state), DI_OK);
    EXPECT_EQ(state.lX, 0);
    EXPECT_EQ(state.lY, 0);
    // A failed read does not swallow the motion.
    platform::HostMouseMotion(-9, 4);
    EXPECT_EQ(mouse->GetDeviceState(4, &state), DIERR_INVALIDPARAM);
    ASSERT_EQ(ReadMouse(&state), DI_OK);
    EXPECT_EQ(state.lX, -9);
    EXPECT_EQ(state.lY, 4);
}

TEST_F(DirectInputDevices, ButtonsAndKeysReadAsHeld) {
    mouse->Acquire();
    keyboard->Acquire();
    platform::HostMouseButton(1, true);
    platform::HostKey(0, DIK_E, true, false);
    platform::HostKey(0, DIK_P, true, false);
    platform::HostKey(0, DIK_P, false, false);
    DIMOUSESTATE state = {};
    BYTE keys[256] = {};
    ASSERT_EQ(ReadMouse(&state), DI_OK);
    ASSERT_EQ(keyboard->GetDeviceState(sizeof(keys), keys), DI_OK);
    EXPECT_EQ(state.rgbButtons[0], 0);
    EXPECT_EQ(state.rgbButtons[1], 0x80);
    EXPECT_EQ(keys[DIK_E], 0x80);
    EXPECT_EQ(keys[DIK_P], 0);
    platform::HostMouseButton(1, false);
    platform::HostMouseButton(7, true);
    ASSERT_EQ(ReadMouse(&state), DI_OK);
    EXPECT_EQ(state.rgbButtons[1], 0);
}

TEST_F(DirectInputDevices, EveryPressIsReadDownOnceHoweverShort) {
    mouse->Acquire();
    DIMOUSESTATE state = {};
    auto left = [&] {
        EXPECT_EQ(ReadMouse(&state), DI_OK);
        return state.rgbButtons[0];
    };
    platform::HostMouseButton(0, true);
    platform::HostMouseButton(0, false);
    EXPECT_EQ(left(), 0x80);
    EXPECT_EQ(left(), 0);
    // Two taps between reads are one press; a tap right after a read that
    // saw a press is read as the release first, then as the new press.
    for (int tap = 0; tap < 2; ++tap) {
        platform::HostMouseButton(0, true);
        platform::HostMouseButton(0, false);
    }
    EXPECT_EQ(left(), 0x80);
    platform::HostMouseButton(0, true);
    platform::HostMouseButton(0, false);
    EXPECT_EQ(left(), 0);
    EXPECT_EQ(left(), 0x80);
    EXPECT_EQ(left(), 0);
    // Held across reads: down until released, as before.
    platform::HostMouseButton(0, true);
    EXPECT_EQ(left(), 0x80);
    EXPECT_EQ(left(), 0x80);
    platform::HostMouseButton(0, false);
    EXPECT_EQ(left(), 0);
    // A press while the device is not acquired is not kept for later.
    platform::HostForeground(false);
    platform::HostMouseButton(0, true);
    platform::HostMouseButton(0, false);
    platform::HostForeground(true);
    mouse->Acquire();
    EXPECT_EQ(left(), 0);
}

TEST_F(DirectInputDevices, LosingTheForegroundFailsReadsUntilAcquiredAgain) {
    mouse->Acquire();
    keyboard->Acquire();
    platform::HostMouseButton(0, true);
    platform::HostForeground(false);
    platform::HostMouseMotion(50, 50);

    DIMOUSESTATE state = {};
    std::memset(&state, 0x5A, sizeof(state));
    DIMOUSESTATE untouched = state;
    EXPECT_EQ(ReadMouse(&state), DIERR_INPUTLOST);
    EXPECT_EQ(ReadMouse(&state), DIERR_NOTACQUIRED);
    EXPECT_EQ(std::memcmp(&state, &untouched, sizeof(state)), 0);
    BYTE keys[256];
    EXPECT_EQ(keyboard->GetDeviceState(sizeof(keys), keys), DIERR_INPUTLOST);
    EXPECT_EQ(mouse->Acquire(), DIERR_OTHERAPPHASPRIO);

    platform::HostForeground(true);
    EXPECT_EQ(ReadMouse(&state), DIERR_NOTACQUIRED);
    EXPECT_EQ(mouse->Acquire(), DI_OK);
    ASSERT_EQ(ReadMouse(&state), DI_OK);
    // What moved in the background is not reported afterwards.
    EXPECT_EQ(state.lX, 0);
    EXPECT_EQ(state.rgbButtons[0], 0x80);
}

TEST_F(DirectInputDevices, InjectedLossRefusesTheGivenNumberOfAcquires) {
    mouse->Acquire();
    platform::faults::UnacquireInput(2);
    DIMOUSESTATE state = {};
    EXPECT_EQ(ReadMouse(&state), DIERR_INPUTLOST);
    EXPECT_LT(mouse->Acquire(), 0);
    EXPECT_LT(mouse->Acquire(), 0);
    EXPECT_EQ(mouse->Acquire(), DI_OK);
    EXPECT_EQ(ReadMouse(&state), DI_OK);
}

TEST_F(DirectInputDevices, AReadSeesInputTheHostDeliversOnItsPump) {
    mouse->Acquire();
    headless::OnPump([] { platform::HostMouseMotion(3, 4); });
    DIMOUSESTATE state = {};
    ASSERT_EQ(ReadMouse(&state), DI_OK);
    headless::OnPump(nullptr);
    EXPECT_EQ(state.lX, 3);
    EXPECT_EQ(state.lY, 4);
}

}  // namespace
