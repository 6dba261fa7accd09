// A test fixture with a fresh headless host and an open DirectSound device,
// which checks at the end that every sound buffer was released.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <dsound.h>

#include "platform/headless/headless.h"
#include "platform/inspect.h"

namespace kalvenor_test {

class SoundDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
        // The clock stays put, so the host mixes nothing behind the test's back.
        headless::SetTickStep(0);
        ASSERT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK);
    }
    void TearDown() override {
        if (ds != nullptr) ds->Release();
        EXPECT_EQ(platform::inspect::LiveSoundBuffers(), 0);
    }

    LPDIRECTSOUND ds = nullptr;
};

}  // namespace kalvenor_test
