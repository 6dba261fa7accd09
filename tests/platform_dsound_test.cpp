// The DirectSound stand-in: the device, the formats it takes, locking, the
// play state and the record of plays and stops.
#include <gtest/gtest.h>

#define DIRECTSOUND_VERSION 0x0300
#include <windows.h>
#include <dsound.h>

#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "platform/dsound/mixer.h"
#include "platform/faults.h"
#include "platform/headless/headless.h"
#include "platform/host_events.h"
#include "platform/inspect.h"
#include "platform/web/sound_slots.h"
#include "support/sound_device_test.h"
#include "support/synthetic_wave.h"

namespace {

using platform::inspect::SoundEvent;
using platform::inspect::SoundEvents;

constexpr int kRate = 22050;

TEST(DirectSoundCreate, FailsWithoutADeviceOrWhenToldTo) {
    headless::Reset();
    LPDIRECTSOUND ds = reinterpret_cast<LPDIRECTSOUND>(1);
    headless::SetAudioDevice(false);
    EXPECT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(ds, nullptr);

    headless::SetAudioDevice(true);
    platform::faults::FailNext("DirectSoundCreate");
    EXPECT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DSERR_NODRIVER);
    ASSERT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK);
    EXPECT_EQ(ds->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DS_OK);
    EXPECT_LT(ds->SetCooperativeLevel(nullptr, 0), 0);
    ds->Release();
}

class DirectSoundBuffers : public kalvenor_test::SoundDeviceTest {
protected:
    // The format is handed over as the 16 bytes of a "fmt " body, with no
    // cbSize after it, just as the game hands over its resources.
    HRESULT Create(const std::vector<uint8_t>& body, DWORD bytes, LPDIRECTSOUNDBUFFER* out,
                   DWORD size = sizeof(DSBUFFERDESC)) {
        auto format = std::make_unique<uint8_t[]>(body.size());
        std::memcpy(format.get(), body.data(), body.size());
        DSBUFFERDESC desc = {size, DSBCAPS_STATIC, bytes, 0, reinterpret_cast<WAVEFORMATEX*>(format.get())};
        return ds->CreateSoundBuffer(&desc, out, nullptr);
    }
    LPDIRECTSOUNDBUFFER Mono16(DWORD bytes) {
        LPDIRECTSOUNDBUFFER b = nullptr;
        EXPECT_EQ(Create(kalvenor_test::PcmFormatBody(1, kRate, 16), bytes, &b), DS_OK);
        return b;
    }
    static DWORD Status(LPDIRECTSOUNDBUFFER b) {
        DWORD s = 0;
        EXPECT_EQ(b->GetStatus(&s), DS_OK);
        return s;
    }
};

TEST_F(DirectSoundBuffers, AcceptsEveryPcmLayoutTheGameNeedsAndNoOther) {
    struct Case {
        uint16_t channels;
        uint32_t rate;
        uint16_t bits;
        bool accepted;
    };
    const Case cases[] = {{1, 11025, 8, true},  {1, 16000, 16, true}, {1, 22050, 16, true},
                          {2, 44100, 16, true}, {2, 8000, 8, true},   {3, 22050, 16, false},
                          {1, 22050, 24, false}, {1, 0, 16, false},   {0, 22050, 16, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.channels << "ch " << c.rate << "Hz " << c.bits << "bit");
        LPDIRECTSOUNDBUFFER b = nullptr;
        HRESULT hr = Create(kalvenor_test::PcmFormatBody(c.channels, c.rate, c.bits), 1024, &b);
        EXPECT_EQ(SUCCEEDED(hr), c.accepted);
        EXPECT_EQ(b != nullptr, c.accepted);
        if (b != nullptr) b->Release();
    }
    std::vector<uint8_t> adpcm = kalvenor_test::PcmFormatBody(1, 22050, 16);
    adpcm[0] = 2;
    LPDIRECTSOUNDBUFFER b = nullptr;
    EXPECT_LT(Create(adpcm, 1024, &b), 0);
}

TEST_F(DirectSoundBuffers, ChecksTheDescription) {
    std::vector<uint8_t> body = kalvenor_test::PcmFormatBody(1, kRate, 16);
    LPDIRECTSOUNDBUFFER b = nullptr;
    EXPECT_EQ(Create(body, 1024, &b, sizeof(DSBUFFERDESC) + sizeof(GUID)), DS_OK);
    b->Release();
    EXPECT_EQ(Create(body, 1024, &b, sizeof(DSBUFFERDESC) - 4), DSERR_INVALIDPARAM);
    EXPECT_EQ(Create(body, 0, &b), DSERR_INVALIDPARAM);
    EXPECT_EQ(Create(body, DSBSIZE_MAX + 1u, &b), DSERR_INVALIDPARAM);
    EXPECT_EQ(b, nullptr);
    platform::faults::FailNext("CreateSoundBuffer");
    EXPECT_LT(Create(body, 1024, &b), 0);
    EXPECT_EQ(platform::inspect::LiveSoundBuffers(), 0);
}

TEST_F(DirectSoundBuffers, AWholeLockIsOneRegionAndAWrappingLockTwo) {
    LPDIRECTSOUNDBUFFER b = Mono16(64);
    void* p1 = nullptr;
    void* p2 = reinterpret_cast<void*>(1);
    DWORD n1 = 0, n2 = 7;
    ASSERT_EQ(b->Lock(0, 64, &p1, &n1, &p2, &n2, 0), DS_OK);
    EXPECT_EQ(n1, 64u);
    EXPECT_EQ(p2, nullptr);
    EXPECT_EQ(n2, 0u);
    for (int i = 0; i < 64; ++i) static_cast<uint8_t*>(p1)[i] = uint8_t(i);
    EXPECT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);

    ASSERT_EQ(b->Lock(60, 8, &p1, &n1, &p2, &n2, 0), DS_OK);
    EXPECT_EQ(n1, 4u);
    EXPECT_EQ(n2, 4u);
    // The regions show what the buffer holds.
    EXPECT_EQ(static_cast<uint8_t*>(p1)[0], 60);
    EXPECT_EQ(static_cast<uint8_t*>(p2)[0], 0);
    EXPECT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);
    EXPECT_EQ(b->Unlock(p1, n1, p2, n2), DSERR_INVALIDCALL);

    EXPECT_EQ(b->Lock(64, 1, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->Lock(0, 65, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    b->Release();
}

TEST_F(DirectSoundBuffers, PlayStopAndTheirRecord) {
    LPDIRECTSOUNDBUFFER b = Mono16(44100);
    headless::SetTick(500);
    platform::inspect::ClearSoundEvents();
    EXPECT_EQ(Status(b), 0u);
    EXPECT_EQ(b->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Status(b), DWORD(DSBSTATUS_PLAYING));
    // Playing again keeps it going with the new flags.
    EXPECT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    EXPECT_EQ(Status(b), DWORD(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING));
    EXPECT_EQ(b->Stop(), DS_OK);
    EXPECT_EQ(Status(b), 0u);
    EXPECT_EQ(b->Stop(), DS_OK);

    const auto& events = SoundEvents();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].kind, SoundEvent::Play);
    EXPECT_FALSE(events[0].looping);
    EXPECT_FALSE(events[0].wasPlaying);
    EXPECT_TRUE(events[1].looping);
    EXPECT_TRUE(events[1].wasPlaying);
    EXPECT_EQ(events[2].kind, SoundEvent::Stop);
    EXPECT_TRUE(events[2].wasPlaying);
    EXPECT_FALSE(events[3].wasPlaying);
    for (const SoundEvent& e : events) {
        EXPECT_EQ(e.buffer, b);
        EXPECT_EQ(e.tick, 500u);
    }
    EXPECT_EQ(b->SetCurrentPosition(44100), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->SetCurrentPosition(100), DS_OK);
    b->Release();
}

TEST_F(DirectSoundBuffers, TheFinishedTickCountsFromTheLastStampedEvent) {
    LPDIRECTSOUNDBUFFER b = Mono16(2 * kRate / 10);  // a tenth of a second
    headless::SetTick(1000);
    platform::inspect::ClearSoundEvents();
    b->Play(0, 0, 0);
    std::vector<int16_t> out(kRate / 2);
    platform::MixAudio(out.data(), int(out.size()), kRate);
    ASSERT_EQ(SoundEvents().size(), 2u);
    EXPECT_EQ(SoundEvents()[1].kind, SoundEvent::Finished);
    EXPECT_NEAR(double(SoundEvents()[1].tick), 1100.0, 1.0);
    b->Release();
}

TEST_F(DirectSoundBuffers, APartialLastFrameIsNeverPlayed) {
    LPDIRECTSOUNDBUFFER b = Mono16(5);
    EXPECT_EQ(b->SetCurrentPosition(4), DS_OK);
    platform::inspect::ClearSoundEvents();
    b->Play(0, 0, 0);
    std::vector<int16_t> out(100, 1);
    platform::MixAudio(out.data(), int(out.size()), kRate);
    EXPECT_EQ(Status(b), 0u);
    ASSERT_EQ(SoundEvents().size(), 2u);
    EXPECT_EQ(SoundEvents()[1].kind, SoundEvent::Finished);
    for (int16_t s : out) EXPECT_EQ(s, 0);
    b->Release();
}

void Fill(LPDIRECTSOUNDBUFFER b, DWORD bytes, int16_t level) {
    void* p1 = nullptr;
    DWORD n1 = 0;
    ASSERT_EQ(b->Lock(0, bytes, &p1, &n1, nullptr, nullptr, 0), DS_OK);
    std::vector<int16_t> levels(bytes / 2, level);
    std::memcpy(p1, levels.data(), bytes);
    b->Unlock(p1, n1, nullptr, 0);
}

TEST_F(DirectSoundBuffers, ADuplicateSharesTheSoundButNotThePlayState) {
    LPDIRECTSOUNDBUFFER b = Mono16(400);
    Fill(b, 400, 9000);

    LPDIRECTSOUNDBUFFER copy = nullptr;
    ASSERT_EQ(ds->DuplicateSoundBuffer(b, &copy), DS_OK);
    EXPECT_EQ(platform::inspect::LiveSoundBuffers(), 2);
    b->Play(0, 0, 0);
    EXPECT_EQ(Status(copy), 0u);
    b->Stop();
    copy->Play(0, 0, 0);
    std::vector<int16_t> out(150);
    platform::MixAudio(out.data(), int(out.size()), kRate);
    EXPECT_EQ(out[100], 9000);

    // The original refilled: the duplicate plays what it now holds.
    copy->Stop();
    copy->SetCurrentPosition(0);
    Fill(b, 400, -7000);
    copy->Play(0, 0, 0);
    platform::MixAudio(out.data(), int(out.size()), kRate);
    EXPECT_EQ(out[100], -7000);

    // The duplicate outlives its original.
    b->Release();
    copy->Play(0, 0, 0);
    platform::MixAudio(out.data(), int(out.size()), kRate);
    copy->Release();

    LPDIRECTSOUNDBUFFER none = reinterpret_cast<LPDIRECTSOUNDBUFFER>(1);
    EXPECT_EQ(ds->DuplicateSoundBuffer(nullptr, &none), DSERR_INVALIDPARAM);
    EXPECT_EQ(none, nullptr);
}

}  // namespace

namespace {

// What a host mixing elsewhere is told, in order.
std::vector<std::pair<platform::mixer::Change, uint32_t>> gTold;
void Record(platform::mixer::Change change, const platform::mixer::Voice&, uint32_t arg) {
    gTold.emplace_back(change, arg);
}

}  // namespace

// A host that mixes away from the game (the browser's worklet) rebuilds
// every voice from these changes alone, so none may go untold.
TEST_F(DirectSoundBuffers, EveryChangeToAVoiceIsToldToAHostThatMixesElsewhere) {
    using C = platform::mixer::Change;
    gTold.clear();
    platform::mixer::SetChangeHook(Record);
    LPDIRECTSOUNDBUFFER b = Mono16(64);
    void *p1 = nullptr, *p2 = nullptr;
    DWORD n1 = 0, n2 = 0;
    ASSERT_EQ(b->Lock(0, 64, &p1, &n1, &p2, &n2, 0), DS_OK);
    EXPECT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);
    LPDIRECTSOUNDBUFFER copy = nullptr;
    ASSERT_EQ(ds->DuplicateSoundBuffer(b, &copy), DS_OK);
    EXPECT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    EXPECT_EQ(b->Stop(), DS_OK);
    EXPECT_EQ(b->SetCurrentPosition(8), DS_OK);
    copy->Release();
    b->Release();
    platform::mixer::SetChangeHook(nullptr);
    const std::vector<std::pair<C, uint32_t>> want = {{C::Attach, 0}, {C::Refill, 0}, {C::Attach, 0}, {C::Start, 1},
                                                      {C::Cut, 0},    {C::Seek, 4},   {C::Detach, 0}, {C::Detach, 0}};
    EXPECT_EQ(gTold, want);
}

namespace {

// The browser host's slots kept from the changes the buffers make, as its
// sound output keeps them.
webhost::SoundSlots gSlots;
std::vector<webhost::Told> gSent;
void Keep(platform::mixer::Change change, const platform::mixer::Voice& voice, uint32_t arg) {
    gSent.push_back(webhost::Tell(gSlots, change, voice, arg));
}

TEST_F(DirectSoundBuffers, TheBrowsersSlotsStopOnlyTheVoiceAReportIsAbout) {
    platform::mixer::SetChangeHook(Keep);
    // A voice plays; its "ran out" is still on its way when it is released
    // and a new one takes its slot and plays.
    LPDIRECTSOUNDBUFFER old = Mono16(64);
    old->Play(0, 0, 0);
    const webhost::Told late = gSent.back();
    old->Release();
    LPDIRECTSOUNDBUFFER now = Mono16(64);
    now->Play(0, 0, 0);
    const webhost::Told current = gSent.back();
    EXPECT_EQ(current.slot, late.slot);
    EXPECT_EQ(webhost::Reported(gSlots, late.slot, late.changes), nullptr);
    EXPECT_NE(webhost::Reported(gSlots, current.slot, current.changes), nullptr);

    // A duplicate shares its original's sound, so its bytes are not sent
    // again and a refill of the original reaches it.
    LPDIRECTSOUNDBUFFER copy = nullptr;
    ASSERT_EQ(ds->DuplicateSoundBuffer(now, &copy), DS_OK);
    EXPECT_EQ(gSent.back().arg, current.slot + 1);
    EXPECT_FALSE(gSent.back().bytes);
    copy->Release();
    now->Release();
    platform::mixer::SetChangeHook(nullptr);
    webhost::Clear(gSlots);
}

}  // namespace
