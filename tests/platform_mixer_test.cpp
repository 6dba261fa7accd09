// The mixer behind the DirectSound stand-in: rates, sums, ends, loops and the
// fades that keep starts, stops and cuts from clicking.
#include <gtest/gtest.h>

#define DIRECTSOUND_VERSION 0x0300
#include <windows.h>
#include <dsound.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/dsound/mixer.h"
#include "platform/faults.h"
#include "platform/headless/headless.h"
#include "platform/host_events.h"
#include "platform/inspect.h"
#include "platform/settings/active.h"
#include "support/sound_device_test.h"
#include "support/synthetic_wave.h"

namespace {

using platform::mixer::kFadeFrames;

constexpr int kRate = 22050;

class Mixer : public kalvenor_test::SoundDeviceTest {
protected:
    void TearDown() override {
        for (LPDIRECTSOUNDBUFFER b : buffers) b->Release();
        SoundDeviceTest::TearDown();
    }

    LPDIRECTSOUNDBUFFER Make(const std::vector<uint8_t>& bytes, uint16_t channels, uint32_t rate, uint16_t bits) {
        std::vector<uint8_t> format = kalvenor_test::PcmFormatBody(channels, rate, bits);
        DSBUFFERDESC desc = {sizeof(DSBUFFERDESC), DSBCAPS_STATIC, DWORD(bytes.size()), 0,
                             reinterpret_cast<WAVEFORMATEX*>(format.data())};
        LPDIRECTSOUNDBUFFER b = nullptr;
        EXPECT_EQ(ds->CreateSoundBuffer(&desc, &b, nullptr), DS_OK);
        void* p1 = nullptr;
        void* p2 = nullptr;
        DWORD n1 = 0, n2 = 0;
        EXPECT_EQ(b->Lock(0, DWORD(bytes.size()), &p1, &n1, &p2, &n2, 0), DS_OK);
        std::memcpy(p1, bytes.data(), n1);
        b->Unlock(p1, n1, p2, n2);
        buffers.push_back(b);
        return b;
    }
    LPDIRECTSOUNDBUFFER Make16(const std::vector<int16_t>& samples, uint32_t rate = kRate) {
        return Make(kalvenor_test::Pcm16(samples), 1, rate, 16);
    }

    static std::vector<int16_t> Mix(int frames, int rate = kRate) {
        std::vector<int16_t> out(size_t(frames), 12345);
        platform::MixAudio(out.data(), frames, rate);
        return out;
    }
    static int MaxStep(const std::vector<int16_t>& v) {
        int most = 0;
        for (size_t i = 1; i < v.size(); ++i) most = std::max(most, std::abs(v[i] - v[i - 1]));
        return most;
    }
    static DWORD Status(LPDIRECTSOUNDBUFFER b) {
        DWORD s = 0;
        b->GetStatus(&s);
        return s;
    }

    std::vector<LPDIRECTSOUNDBUFFER> buffers;
};

std::vector<int16_t> Ramp(int n, int step) {
    std::vector<int16_t> v(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) v[size_t(i)] = int16_t(i * step);
    return v;
}

TEST_F(Mixer, SilenceWhenNothingPlays) {
    Make16(std::vector<int16_t>(100, 20000));
    for (int16_t s : Mix(300)) EXPECT_EQ(s, 0);
}

TEST_F(Mixer, SameRatePlaysTheSamplesAsTheyAre) {
    std::vector<int16_t> ramp = Ramp(400, 50);
    Make16(ramp)->Play(0, 0, 0);
    std::vector<int16_t> out = Mix(400);
    for (int i = kFadeFrames; i < 400; ++i) ASSERT_EQ(out[size_t(i)], ramp[size_t(i)]) << i;
}

TEST_F(Mixer, HalfRateIsInterpolatedBetweenNeighbours) {
    std::vector<int16_t> ramp = Ramp(300, 64);
    Make16(ramp, kRate / 2)->Play(0, 0, 0);
    std::vector<int16_t> out = Mix(600);
    for (int i = kFadeFrames; i < 598; i += 2) {
        ASSERT_EQ(out[size_t(i)], ramp[size_t(i / 2)]) << i;
        ASSERT_EQ(out[size_t(i + 1)], (ramp[size_t(i / 2)] + ramp[size_t(i / 2 + 1)]) / 2) << i;
    }
}

TEST_F(Mixer, EachBufferAdvancesByItsOwnRate) {
    // The same count of frames lasts in proportion to each buffer's rate.
    for (uint32_t rate : {11025u, 16000u, 22050u, 44100u}) {
        SCOPED_TRACE(rate);
        LPDIRECTSOUNDBUFFER b = Make16(std::vector<int16_t>(1000, 8000), rate);
        b->Play(0, 0, 0);
        std::vector<int16_t> out = Mix(5000);
        int sounding = int(std::count_if(out.begin(), out.end(), [](int16_t s) { return s == 8000; }));
        int expected = int(1000.0 * kRate / rate);
        EXPECT_NEAR(sounding + kFadeFrames, expected, 2);
        EXPECT_EQ(Status(b) & DSBSTATUS_PLAYING, 0u);
    }
}

TEST_F(Mixer, EightAndSixteenBitMonoAndStereoMeetOnOneScale) {
    std::vector<uint8_t> mono8(400, 0xC0);                  // +64 of 128
    std::vector<int16_t> stereo16(800);
    for (size_t i = 0; i < stereo16.size(); i += 2) {
        stereo16[i] = 12000;
        stereo16[i + 1] = -4000;
    }
    std::vector<uint8_t> stereo8(800);
    for (size_t i = 0; i < stereo8.size(); i += 2) {
        stereo8[i] = 0xC0;
        stereo8[i + 1] = 0x80;
    }
    struct Case {
        LPDIRECTSOUNDBUFFER buffer;
        int expected;
    };
    Case cases[] = {{Make(mono8, 1, kRate, 8), 64 << 8},
                    {Make(kalvenor_test::Pcm16(stereo16), 2, kRate, 16), 4000},
                    {Make(stereo8, 2, kRate, 8), 32 << 8}};
    for (const Case& c : cases) {
        c.buffer->Play(0, 0, 0);
        std::vector<int16_t> out = Mix(300);
        EXPECT_EQ(out[200], c.expected);
        c.buffer->Stop();
        Mix(kFadeFrames);
    }
}

TEST_F(Mixer, ALoudSumIsHeldUnderFullScaleInsteadOfWrapping) {
    Make16(std::vector<int16_t>(500, 30000))->Play(0, 0, 0);
    Make16(std::vector<int16_t>(500, 30000))->Play(0, 0, 0);
    Make16(std::vector<int16_t>(500, -30000))->Play(0, 0, 0);
    EXPECT_EQ(Mix(300)[200], 30000);
    buffers[2]->Stop();
    Mix(kFadeFrames);
    int16_t held = Mix(10)[5];
    EXPECT_GT(held, 30000);
    EXPECT_LT(held, 32767);
    buffers[0]->Stop();
    buffers[1]->Stop();
    Make16(std::vector<int16_t>(500, -30000))->Play(0, 0, 0);
    Make16(std::vector<int16_t>(500, -30000))->Play(0, 0, 0);
    Mix(kFadeFrames * 2);
    held = Mix(10)[5];
    EXPECT_LT(held, -30000);
    EXPECT_GT(held, -32767);
}

TEST_F(Mixer, TheVolumeScalesTheSumBeforeTheLimiterAndMuteSilencesIt) {
    Mix(kFadeFrames);  // silence lets a limiter held down by a loud test go
    std::vector<int16_t> ramp = Ramp(400, 50);
    struct Case {
        int volume;
        bool mute;
    };
    for (Case c : {Case{50, false}, Case{0, false}, Case{100, true}}) {
        SCOPED_TRACE(c.volume);
        platform::settings::Settings s;
        s.volume = c.volume;
        s.mute = c.mute;
        platform::settings::Apply(s);
        LPDIRECTSOUNDBUFFER b = Make16(ramp);
        b->Play(0, 0, 0);
        std::vector<int16_t> out = Mix(400);
        int level = c.mute ? 0 : c.volume;
        for (int i = kFadeFrames; i < 400; ++i) ASSERT_EQ(out[size_t(i)], ramp[size_t(i)] * level / 100) << i;
        b->Stop();
        Mix(kFadeFrames);
    }
    // Two loud sounds at half volume are what one is at full: the level comes
    // before the limiter, so nothing is held down.
    platform::settings::Settings half;
    half.volume = 50;
    platform::settings::Apply(half);
    Make16(std::vector<int16_t>(500, 30000))->Play(0, 0, 0);
    Make16(std::vector<int16_t>(500, 30000))->Play(0, 0, 0);
    EXPECT_EQ(Mix(300)[200], 30000);
    platform::settings::Apply({});
}

TEST_F(Mixer, AOneShotEndsRewindsAndIsReportedFinished) {
    std::vector<int16_t> ramp = Ramp(200, 100);
    LPDIRECTSOUNDBUFFER b = Make16(ramp);
    platform::inspect::ClearSoundEvents();
    b->Play(0, 0, 0);
    std::vector<int16_t> out = Mix(600);
    EXPECT_EQ(Status(b), 0u);
    for (size_t i = 200 + kFadeFrames; i < out.size(); ++i) ASSERT_EQ(out[i], 0) << i;
    const auto& events = platform::inspect::SoundEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1].kind, platform::inspect::SoundEvent::Finished);
    EXPECT_EQ(events[1].buffer, b);
    // A play without a stop starts from the beginning again.
    b->Play(0, 0, 0);
    std::vector<int16_t> again = Mix(150);
    for (int i = kFadeFrames; i < 150; ++i) ASSERT_EQ(again[size_t(i)], ramp[size_t(i)]) << i;
}

TEST_F(Mixer, ALoopWrapsWithoutASeam) {
    // Exactly five periods of a sine, so that a seamless loop is one long sine.
    constexpr int kFrames = 500;
    std::vector<int16_t> sine(kFrames);
    for (int i = 0; i < kFrames; ++i) sine[size_t(i)] = int16_t(std::lround(16000 * std::sin(2 * M_PI * 5 * i / kFrames)));
    LPDIRECTSOUNDBUFFER b = Make16(sine, 16000);
    b->Play(0, 0, DSBPLAY_LOOPING);
    std::vector<int16_t> out = Mix(kFrames * 8);
    EXPECT_EQ(Status(b), DWORD(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING));
    // The steepest step of the sine itself, resampled up, with rounding room.
    int steepest = int(16000 * 2 * M_PI * 5 / kFrames * 16000 / kRate) + 2;
    std::vector<int16_t> settled(out.begin() + kFadeFrames, out.end());
    EXPECT_LE(MaxStep(settled), steepest);
    int loud = *std::max_element(settled.end() - kFrames, settled.end());
    EXPECT_GT(loud, 15500);
}

TEST_F(Mixer, StartsStopsAndJumpsFadeInsteadOfClicking) {
    constexpr int kLevel = 24000;
    int gentle = kLevel / kFadeFrames + 1;
    LPDIRECTSOUNDBUFFER b = Make16(std::vector<int16_t>(20000, kLevel));
    b->Play(0, 0, 0);
    std::vector<int16_t> start = Mix(200);
    EXPECT_LE(MaxStep(start), gentle);
    EXPECT_EQ(start.back(), kLevel);

    b->Stop();
    std::vector<int16_t> stop = Mix(200);
    stop.insert(stop.begin(), start.back());
    EXPECT_LE(MaxStep(stop), gentle);
    EXPECT_EQ(stop.back(), 0);

    // Stop keeps the place: playing again goes on and fades back in.
    b->Play(0, 0, 0);
    std::vector<int16_t> resumed = Mix(200);
    EXPECT_LE(MaxStep(resumed), gentle);

    // A jump while sounding crosses over through silence-free fades.
    b->SetCurrentPosition(0);
    std::vector<int16_t> jump = Mix(200);
    jump.insert(jump.begin(), resumed.back());
    EXPECT_LE(MaxStep(jump), 2 * gentle);
    EXPECT_EQ(jump.back(), kLevel);
}

TEST_F(Mixer, ALostBufferIsSilentUntilRestoredAndRefilled) {
    LPDIRECTSOUNDBUFFER b = Make16(std::vector<int16_t>(5000, 10000));
    b->Play(0, 0, DSBPLAY_LOOPING);
    Mix(200);
    platform::faults::LoseSoundBuffers();
    EXPECT_EQ(Status(b), DWORD(DSBSTATUS_BUFFERLOST));
    EXPECT_EQ(b->Play(0, 0, 0), DSERR_BUFFERLOST);
    void* p1 = nullptr;
    DWORD n1 = 0;
    EXPECT_EQ(b->Lock(0, 100, &p1, &n1, nullptr, nullptr, 0), DSERR_BUFFERLOST);
    std::vector<int16_t> out = Mix(400);
    for (size_t i = kFadeFrames; i < out.size(); ++i) ASSERT_EQ(out[i], 0);

    // Restored memory holds nothing until the owner fills it again.
    EXPECT_EQ(b->Restore(), DS_OK);
    EXPECT_EQ(Status(b), 0u);
    b->Play(0, 0, 0);
    out = Mix(300);
    for (int16_t s : out) ASSERT_EQ(s, 0);
    b->Stop();
    ASSERT_EQ(b->Lock(0, 10000, &p1, &n1, nullptr, nullptr, 0), DS_OK);
    std::vector<int16_t> refill(5000, 7000);
    std::memcpy(p1, refill.data(), n1);
    b->Unlock(p1, n1, nullptr, 0);
    b->Play(0, 0, 0);
    EXPECT_EQ(Mix(300)[250], 7000);
}

TEST_F(Mixer, BadOutputArgumentsDoNoHarm) {
    Make16(std::vector<int16_t>(100, 5000))->Play(0, 0, 0);
    platform::MixAudio(nullptr, 100, kRate);
    std::vector<int16_t> out(10, 99);
    platform::MixAudio(out.data(), 0, kRate);
    EXPECT_EQ(out[0], 99);
    platform::MixAudio(out.data(), 10, 0);
    for (int16_t s : out) EXPECT_EQ(s, 0);
}

}  // namespace
