// SoundSample: which buffer a play takes, when a play does nothing, cutting
// off the oldest sound, looping, and bringing a lost buffer back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/dsound/mixer.h"
#include "platform/faults.h"
#include "platform/headless/headless.h"
#include "platform/host_events.h"
#include "platform/inspect.h"
#include "sound/sound_bank.h"
#include "sound/sound_sample.h"
#include "support/sound_device_test.h"
#include "support/synthetic_wave.h"

namespace {

using platform::inspect::SoundEvent;
using platform::inspect::SoundEvents;
using platform::mixer::kFadeFrames;

constexpr int kRate = 22050;
constexpr int kFrames = 1000;

std::vector<int16_t> Ramp() {
    std::vector<int16_t> v(kFrames);
    for (int i = 0; i < kFrames; ++i) v[size_t(i)] = int16_t(i * 20 + 100);
    return v;
}

class Samples : public kalvenor_test::SoundDeviceTest {
protected:
    void SetUp() override {
        SoundDeviceTest::SetUp();
        image = kalvenor_test::WaveImage().Format(1, kRate, 16).Data(kalvenor_test::Pcm16(Ramp())).Bytes();
    }
    void TearDown() override {
        for (SoundSample* s : made) SoundSample::Destroy(s);
        SoundDeviceTest::TearDown();
    }

    // A sample laid out as SoundSample::Create lays it out, over the
    // synthetic wave instead of a resource.
    SoundSample* Make(int count) {
        WAVEFORMATEX* format = nullptr;
        BYTE* data = nullptr;
        DWORD size = 0;
        EXPECT_TRUE(ParseWave(image.data(), DWORD(image.size()), &format, &data, &size));
        void* block = std::calloc(1, sizeof(SoundSample) + sizeof(LPDIRECTSOUNDBUFFER) * size_t(count));
        auto* s = static_cast<SoundSample*>(block);
        s->waveData = data;
        s->waveSize = size;
        s->bufferCount = count;
        s->buffers = reinterpret_cast<LPDIRECTSOUNDBUFFER*>(static_cast<char*>(block) + sizeof(SoundSample));
        DSBUFFERDESC desc = {sizeof(DSBUFFERDESC), DSBCAPS_STATIC, size, 0, format};
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(ds->CreateSoundBuffer(&desc, &s->buffers[i], nullptr), DS_OK);
            EXPECT_TRUE(FillSoundBuffer(s->buffers[i], data, size));
        }
        made.push_back(s);
        platform::inspect::ClearSoundEvents();
        return s;
    }
    static DWORD Status(LPDIRECTSOUNDBUFFER b) {
        DWORD status = 0;
        b->GetStatus(&status);
        return status;
    }
    static std::vector<int16_t> Mix(int frames) {
        std::vector<int16_t> out(static_cast<size_t>(frames));
        platform::MixAudio(out.data(), frames, kRate);
        return out;
    }
    static void ExpectStartOfRamp(const std::vector<int16_t>& out) {
        std::vector<int16_t> ramp = Ramp();
        for (int i = kFadeFrames; i < int(out.size()); ++i) ASSERT_EQ(out[size_t(i)], ramp[size_t(i)]) << i;
    }

    std::vector<uint8_t> image;
    std::vector<SoundSample*> made;
};

TEST_F(Samples, AOneBufferSampleStillSoundingIsNotStartedAgain) {
    SoundSample* s = Make(1);
    EXPECT_TRUE(SoundSample::Play(s, 0));
    Mix(300);
    EXPECT_FALSE(SoundSample::Play(s, 0));
    ASSERT_EQ(SoundEvents().size(), 1u);
    // Only stopping first makes it start over from the beginning.
    RestartSound(s);
    ASSERT_EQ(SoundEvents().size(), 3u);
    EXPECT_EQ(SoundEvents()[1].kind, SoundEvent::Stop);
    EXPECT_EQ(SoundEvents()[2].kind, SoundEvent::Play);
    ExpectStartOfRamp(Mix(300));
}

TEST_F(Samples, AFinishedOneShotPlaysAgainFromItsStart) {
    SoundSample* s = Make(1);
    EXPECT_TRUE(SoundSample::Play(s, 0));
    Mix(kFrames + 2 * kFadeFrames);
    EXPECT_EQ(Status(s->buffers[0]), 0u);
    EXPECT_TRUE(SoundSample::Play(s, 0));
    ExpectStartOfRamp(Mix(300));
}

TEST_F(Samples, OnlyASingleBufferSampleMayLoop) {
    SoundSample* three = Make(3);
    EXPECT_FALSE(SoundSample::Play(three, DSBPLAY_LOOPING));
    EXPECT_TRUE(SoundEvents().empty());
    SoundSample* one = Make(1);
    EXPECT_TRUE(SoundSample::Play(one, DSBPLAY_LOOPING));
    Mix(kFrames * 3);
    EXPECT_EQ(Status(one->buffers[0]), DWORD(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING));
    EXPECT_TRUE(SoundSample::Stop(one));
    EXPECT_EQ(Status(one->buffers[0]), 0u);
}

TEST_F(Samples, AFourthPlayOfThreeBusyBuffersCutsOffTheFirst) {
    SoundSample* s = Make(3);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(SoundSample::Play(s, 0));
    const auto& e = SoundEvents();
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0].kind, SoundEvent::Play);
    EXPECT_EQ(e[0].buffer, s->buffers[0]);
    EXPECT_EQ(e[1].buffer, s->buffers[1]);
    EXPECT_EQ(e[2].buffer, s->buffers[2]);
    EXPECT_EQ(e[3].kind, SoundEvent::Stop);
    EXPECT_EQ(e[3].buffer, s->buffers[0]);
    EXPECT_TRUE(e[3].wasPlaying);
    EXPECT_EQ(e[4].kind, SoundEvent::Play);
    EXPECT_EQ(e[4].buffer, s->buffers[0]);
    EXPECT_EQ(s->currentBuffer, 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Status(s->buffers[i]), DWORD(DSBSTATUS_PLAYING));
}

TEST_F(Samples, ALostBufferIsRestoredRefilledAndPlayed) {
    SoundSample* s = Make(1);
    platform::faults::LoseSoundBuffers();
    EXPECT_EQ(Status(s->buffers[0]), DWORD(DSBSTATUS_BUFFERLOST));
    EXPECT_TRUE(SoundSample::Play(s, 0));
    EXPECT_EQ(Status(s->buffers[0]), DWORD(DSBSTATUS_PLAYING));
    ExpectStartOfRamp(Mix(300));
}

TEST_F(Samples, ABufferThatCannotBeRestoredSkipsThatPlayOnly) {
    SoundSample* s = Make(1);
    platform::faults::LoseSoundBuffers();
    platform::faults::FailNext("IDirectSoundBuffer::Restore");
    EXPECT_FALSE(SoundSample::Play(s, 0));
    EXPECT_EQ(Status(s->buffers[0]), DWORD(DSBSTATUS_BUFFERLOST));
    EXPECT_TRUE(SoundSample::Play(s, 0));
    ExpectStartOfRamp(Mix(300));
}

TEST_F(Samples, AFailedPlayIsReported) {
    SoundSample* s = Make(1);
    platform::faults::FailNext("IDirectSoundBuffer::Play");
    EXPECT_FALSE(SoundSample::Play(s, 0));
    EXPECT_TRUE(SoundSample::Play(s, 0));
}

TEST_F(Samples, ANullSampleDoesNothing) {
    EXPECT_FALSE(SoundSample::Play(nullptr, 0));
    EXPECT_FALSE(SoundSample::Stop(nullptr));
    EXPECT_EQ(SoundSample::FreeBuffer(nullptr), nullptr);
    SoundSample::Destroy(nullptr);
    RestartSound(nullptr);
    EXPECT_TRUE(SoundEvents().empty());
}

TEST_F(Samples, CreateLoadsAResourceIntoItsBuffers) {
    EXPECT_EQ(SoundSample::Create(ds, "NO SUCH WAVE", 1), nullptr);
    SoundSample* s = SoundSample::Create(ds, "HIT2", 3);
    ASSERT_NE(s, nullptr);
    made.push_back(s);
    EXPECT_EQ(s->bufferCount, 3);
    EXPECT_EQ(s->currentBuffer, 0);
    for (int i = 0; i < 3; ++i) EXPECT_NE(s->buffers[i], nullptr);
    EXPECT_EQ(platform::inspect::LiveSoundBuffers(), 3);

    SoundSample* atLeastOne = SoundSample::Create(ds, "HIT2", 0);
    ASSERT_NE(atLeastOne, nullptr);
    made.push_back(atLeastOne);
    EXPECT_EQ(atLeastOne->bufferCount, 1);
}

TEST_F(Samples, CreateFallsBackWhenBuffersCannotBeMade) {
    // A failed duplicate is made afresh.
    platform::faults::FailNext("DuplicateSoundBuffer");
    SoundSample* fresh = SoundSample::Create(ds, "CLICK", 2);
    ASSERT_NE(fresh, nullptr);
    made.push_back(fresh);
    EXPECT_NE(fresh->buffers[1], nullptr);

    // Without a first buffer the sample exists and is silent.
    platform::faults::FailNext("CreateSoundBuffer");
    SoundSample* silent = SoundSample::Create(ds, "CLICK", 1);
    ASSERT_NE(silent, nullptr);
    made.push_back(silent);
    EXPECT_EQ(silent->buffers[0], nullptr);
    EXPECT_FALSE(SoundSample::Play(silent, 0));
    EXPECT_TRUE(SoundSample::Stop(silent));

    // A later buffer that cannot be made at all fails the whole sample.
    platform::faults::FailNext("CreateSoundBuffer", 2);
    int live = platform::inspect::LiveSoundBuffers();
    EXPECT_EQ(SoundSample::Create(ds, "CLICK", 2), nullptr);
    EXPECT_EQ(platform::inspect::LiveSoundBuffers(), live);
}

}  // namespace
