// The sound bank: set-up with and without a device, the eight waves, how
// they mix together and alone, and the sounds of a game heard through the
// headless host.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "app/static_objects.h"
#include "platform/dsound/mixer.h"
#include "platform/faults.h"
#include "platform/headless/headless.h"
#include "platform/host_events.h"
#include "platform/inspect.h"
#include "sound/sound_bank.h"
#include "support/game_run.h"

namespace {

using platform::inspect::SoundEvent;
using platform::inspect::SoundEvents;

std::vector<SoundSample*> All(const SoundBank& bank) {
    return {bank.wrong, bank.shot, bank.intro, bank.click, bank.reload, bank.hit1, bank.hit2, bank.hit3};
}

TEST(SoundBank, WithoutADeviceItSaysSoOnceAndStaysSilent) {
    headless::Reset();
    headless::SetAudioDevice(false);
    SoundBank bank;
    EXPECT_EQ(bank.Create(nullptr), 0);
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].text, "Failed to initialise the sound");
    EXPECT_EQ(headless::MessageBoxes()[0].caption, "Kalvenor");
    EXPECT_EQ(bank.directSound, nullptr);
    for (SoundSample* s : All(bank)) EXPECT_EQ(s, nullptr);
    RestartSound(bank.shot);
    bank.Release();
    EXPECT_EQ(headless::MessageBoxes().size(), 1u);
}

TEST(SoundBank, ARefusedCooperativeLevelReleasesTheDevice) {
    headless::Reset();
    platform::faults::FailNext("IDirectSound::SetCooperativeLevel");
    SoundBank bank;
    EXPECT_EQ(bank.Create(nullptr), 0);
    EXPECT_EQ(bank.directSound, nullptr);
    EXPECT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(platform::inspect::LiveSoundBuffers(), 0);
}

TEST(SoundBank, LoadsTheEightWavesWithOneBufferEach) {
    headless::Reset();
    {
        SoundBank bank;
        ASSERT_EQ(bank.Create(nullptr), 1);
        EXPECT_TRUE(headless::MessageBoxes().empty());
        const DWORD dataLengths[] = {32224, 27136, 104316, 2516, 15790, 27390, 9214, 17472};
        std::vector<SoundSample*> samples = All(bank);
        for (size_t i = 0; i < samples.size(); ++i) {
            SCOPED_TRACE(i);
            ASSERT_NE(samples[i], nullptr);
            EXPECT_EQ(samples[i]->bufferCount, 1);
            EXPECT_NE(samples[i]->buffers[0], nullptr);
            EXPECT_EQ(samples[i]->waveSize, dataLengths[i]);
        }
        EXPECT_EQ(platform::inspect::LiveSoundBuffers(), 8);
        EXPECT_TRUE(SoundSample::Play(bank.intro, DSBPLAY_LOOPING));
    }
    // The destructor released everything.
    EXPECT_EQ(platform::inspect::LiveSoundBuffers(), 0);
}

TEST(SoundBank, SamplesAreMadeInTheirOrderAndAFailedOneIsNotReported) {
    headless::Reset();
    // The first three buffer creations fail: WRONG, SHOT and INTRO.
    platform::faults::FailNext("CreateSoundBuffer", 3);
    SoundBank bank;
    ASSERT_EQ(bank.Create(nullptr), 1);
    EXPECT_TRUE(headless::MessageBoxes().empty());
    std::vector<SoundSample*> samples = All(bank);
    for (size_t i = 0; i < samples.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_NE(samples[i], nullptr);
        EXPECT_EQ(samples[i]->buffers[0] == nullptr, i < 3);
    }
    bank.Release();
    for (SoundSample* s : All(bank)) EXPECT_EQ(s, nullptr);
    EXPECT_EQ(bank.directSound, nullptr);
    EXPECT_EQ(platform::inspect::LiveSoundBuffers(), 0);
}

constexpr int kDeviceRate = 44100;

// Every sound of the game started in the same millisecond: loud, but not one
// sample at full scale.
TEST(SoundBankMix, AllEightTogetherNeverReachFullScale) {
    headless::Reset();
    headless::SetTickStep(0);
    SoundBank bank;
    ASSERT_EQ(bank.Create(nullptr), 1);
    for (SoundSample* s : All(bank)) ASSERT_TRUE(SoundSample::Play(s, 0));
    std::vector<int16_t> out(kDeviceRate);
    platform::MixAudio(out.data(), int(out.size()), kDeviceRate);
    int peak = 0;
    int atFullScale = 0;
    for (int16_t v : out) {
        peak = std::max(peak, std::abs(int(v)));
        atFullScale += v == 32767 || v == -32768;
    }
    EXPECT_EQ(atFullScale, 0);
    EXPECT_GT(peak, 24000);
}

// Each sound alone, mixed at its own rate, is its stored samples exactly
// once faded in.
TEST(SoundBankMix, EachSoundAloneIsMixedBitExact) {
    headless::Reset();
    headless::SetTickStep(0);
    SoundBank bank;
    ASSERT_EQ(bank.Create(nullptr), 1);
    const int rates[] = {22050, 16000, 11025, 22050, 16000, 22050, 22050, 22050};
    std::vector<SoundSample*> samples = All(bank);
    for (size_t n = 0; n < samples.size(); ++n) {
        SoundSample* sample = samples[n];
        SCOPED_TRACE(n);
        const bool eightBit = sample == bank.intro;
        std::vector<int16_t> stored;
        for (DWORD i = 0; eightBit && i < sample->waveSize; ++i) stored.push_back(int16_t((sample->waveData[i] - 128) * 256));
        for (DWORD i = 0; !eightBit && i + 1 < sample->waveSize; i += 2)
            stored.push_back(int16_t(sample->waveData[i] | (sample->waveData[i + 1] << 8)));
        ASSERT_TRUE(SoundSample::Play(sample, 0));
        std::vector<int16_t> out(stored.size());
        platform::MixAudio(out.data(), int(out.size()), rates[n]);
        size_t differ = 0;
        for (size_t i = platform::mixer::kFadeFrames; i < out.size(); ++i) differ += out[i] != stored[i];
        EXPECT_EQ(differ, 0u);
        // Let it end and fade out before the next.
        std::vector<int16_t> rest(rates[n] / 10);
        platform::MixAudio(rest.data(), int(rest.size()), rates[n]);
    }
}

// The game's sounds, end to end: start-up, the intro, and firing.
std::vector<SoundEvent> EventsOf(const SoundSample* sample, SoundEvent::Kind kind) {
    std::vector<SoundEvent> found;
    if (sample == nullptr || sample->buffers[0] == nullptr) return found;
    for (const SoundEvent& e : SoundEvents())
        if (e.buffer == sample->buffers[0] && e.kind == kind) found.push_back(e);
    return found;
}

TEST(GameSounds, TheIntroLoopsUntilTheGameStartsAndIsHeard) {
    kalvenor_test::GameRun run;
    size_t playsAtStart = 0;
    size_t stopsAtStart = 0;
    std::vector<int16_t> heard;
    run.At(20, [&] {
        playsAtStart = EventsOf(gSoundBank.intro, SoundEvent::Play).size();
        stopsAtStart = EventsOf(gSoundBank.intro, SoundEvent::Stop).size();
        heard = headless::MixedAudio();
        kalvenor_test::Click(0);
    });
    std::vector<SoundEvent> introPlays;
    std::vector<SoundEvent> introStops;
    run.At(30, [&] {
        introPlays = EventsOf(gSoundBank.intro, SoundEvent::Play);
        introStops = EventsOf(gSoundBank.intro, SoundEvent::Stop);
    });
    run.Run(40);
    EXPECT_EQ(playsAtStart, 1u);
    EXPECT_EQ(stopsAtStart, 0u);
    ASSERT_EQ(introPlays.size(), 1u);
    EXPECT_TRUE(introPlays[0].looping);
    ASSERT_EQ(introStops.size(), 1u);
    EXPECT_TRUE(introStops[0].wasPlaying);
    // Something other than silence reached the host while the intro played.
    EXPECT_TRUE(std::any_of(heard.begin(), heard.end(), [](int16_t s) { return std::abs(s) > 1000; }));
}

TEST(GameSounds, SevenRoundsMakeSixShotsThenTheGunClicks) {
    kalvenor_test::GameRun run;
    run.At(3, [] { kalvenor_test::Click(0); });  // leaves the intro
    for (uint32_t pull = 0; pull < 9; ++pull) run.At(20 + pull * 20, [] { kalvenor_test::Click(0); });
    size_t shots = 0;
    size_t clicks = 0;
    run.At(200, [&] {
        shots = EventsOf(gSoundBank.shot, SoundEvent::Play).size();
        clicks = EventsOf(gSoundBank.click, SoundEvent::Play).size();
    });
    run.Run(210);
    EXPECT_EQ(shots, 6u);
    EXPECT_EQ(clicks, 2u);
}

TEST(GameSounds, LostSoundMemoryIsWonBackOnTheNextPlay) {
    kalvenor_test::GameRun run;
    run.At(3, [] { kalvenor_test::Click(0); });
    run.At(10, [] { platform::faults::LoseSoundBuffers(); });
    run.At(20, [] { kalvenor_test::Click(0); });
    DWORD status = 0xFF;
    run.At(22, [&] { gSoundBank.shot->buffers[0]->GetStatus(&status); });
    run.Run(30);
    EXPECT_EQ(status, DWORD(DSBSTATUS_PLAYING));
}

}  // namespace
