// The game's sounds as heard: the host's mixed output searched for each
// wave's attack, from the stored waves resampled here, and for silence where
// nothing may sound.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#include "app/static_objects.h"
#include "game/actor_list.h"
#include "game/figures.h"
#include "game/game.h"
#include "platform/inspect.h"
#include "sound/sound_bank.h"
#include "support/game_run.h"

namespace {

using namespace kalvenor_test;
using platform::inspect::SoundEvent;

constexpr int kAttackMs = 30;       // the stretch of a wave's start compared
constexpr double kSameSound = 0.9;  // correlation that counts as the wave itself
constexpr int kQuiet = 16;          // largest sample that counts as silence

// A stored wave resampled to the output rate, as mono sample values.
std::vector<double> Wave(const char* name, int rate) {
    std::vector<double> out;
    HRSRC found = FindResourceA(NULL, name, "WAV");
    if (found == NULL) return out;
    const auto* b = static_cast<const uint8_t*>(LockResource(LoadResource(NULL, found)));
    const size_t size = SizeofResource(NULL, found);
    uint16_t channels = 0, bits = 0;
    uint32_t sourceRate = 0;
    std::vector<double> source;
    for (size_t at = 12; at + 8 <= size;) {
        uint32_t length;
        std::memcpy(&length, b + at + 4, 4);
        const uint8_t* body = b + at + 8;
        if (at + 8 + length > size) break;
        if (std::memcmp(b + at, "fmt ", 4) == 0 && length >= 16) {
            std::memcpy(&channels, body + 2, 2);
            std::memcpy(&sourceRate, body + 4, 4);
            std::memcpy(&bits, body + 14, 2);
        } else if (std::memcmp(b + at, "data", 4) == 0 && channels == 1) {
            for (size_t i = 0; bits == 16 && i + 1 < length; i += 2) {
                int16_t s;
                std::memcpy(&s, body + i, 2);
                source.push_back(s);
            }
            for (size_t i = 0; bits == 8 && i < length; ++i) source.push_back((body[i] - 128) * 256.0);
        }
        at += 8 + length + (length & 1u);
    }
    if (source.size() < 2 || sourceRate == 0) return out;
    const double step = double(sourceRate) / rate;
    for (double pos = 0; pos + 1 < source.size(); pos += step) {
        const size_t i = static_cast<size_t>(pos);
        out.push_back(source[i] + (source[i + 1] - source[i]) * (pos - i));
    }
    return out;
}

double Correlation(const std::vector<int16_t>& heard, size_t at, const std::vector<double>& wave, size_t from,
                   size_t n) {
    if (at + n > heard.size() || from + n > wave.size()) return 0;
    double hw = 0, hh = 0, ww = 0;
    for (size_t i = 0; i < n; ++i) {
        hw += heard[at + i] * wave[from + i];
        hh += double(heard[at + i]) * heard[at + i];
        ww += wave[from + i] * wave[from + i];
    }
    return hh > 0 && ww > 0 ? hw / std::sqrt(hh * ww) : 0;
}

struct Attack {
    size_t at = 0;
    double likeness = 0;
};

// Where in [from, to) the output best matches the wave's start.
Attack FindAttack(const std::vector<int16_t>& heard, size_t from, size_t to, const std::vector<double>& wave) {
    const size_t n = static_cast<size_t>(headless::AudioRate()) * kAttackMs / 1000;
    Attack best;
    for (size_t at = from; at < to; ++at) {
        const double c = Correlation(heard, at, wave, 0, n);
        if (c > best.likeness) best = {at, c};
    }
    return best;
}

int Loudest(const std::vector<int16_t>& heard, size_t from, size_t to) {
    int most = 0;
    for (size_t i = from; i < std::min(to, heard.size()); ++i) most = std::max(most, std::abs(int(heard[i])));
    return most;
}

size_t Samples(int ms) {
    return static_cast<size_t>(headless::AudioRate()) * ms / 1000;
}

std::vector<SoundEvent> EventsOf(const SoundSample* sample, SoundEvent::Kind kind) {
    std::vector<SoundEvent> found;
    if (sample == nullptr || sample->buffers[0] == nullptr) return found;
    for (const SoundEvent& e : platform::inspect::SoundEvents())
        if (e.buffer == sample->buffers[0] && e.kind == kind) found.push_back(e);
    return found;
}

// A run that keeps how much sound had been mixed at every present, so a frame
// n's sound lies in [mixed[n - 1], mixed[n]), and keeps the ring empty
// unless told otherwise.
struct HeardRun {
    explicit HeardRun(bool noFigures = true) {
        run.EveryFrame([this, noFigures](uint32_t presented, const headless::Frame&) {
            mixed[presented] = headless::MixedAudio().size();
            if (noFigures) gActors.Clear();
        });
    }
    GameRun run;
    std::map<uint32_t, size_t> mixed;
};

TEST(GoldenSound, SevenRoundsSoundSixShotsTheSeventhIsSilentThenTheGunClicks) {
    HeardRun h;
    h.run.At(3, [] { Click(0); });  // leaves the intro, stopping its sound
    // A pull every 100 frames, longer than the shot sounds.
    constexpr uint32_t kFirst = 20, kApart = 100, kPulls = 9;
    for (uint32_t k = 0; k < kPulls; ++k) h.run.At(kFirst + kApart * k, [] { Click(0); });
    h.run.Run(kFirst + kApart * kPulls);
    const std::vector<int16_t>& heard = headless::MixedAudio();
    const std::vector<double> shot = Wave("SHOT", headless::AudioRate());
    const std::vector<double> click = Wave("CLICK", headless::AudioRate());
    ASSERT_FALSE(shot.empty());
    ASSERT_FALSE(click.empty());
    ASSERT_GT(h.mixed[kFirst + kApart + 1] - h.mixed[kFirst + 1], shot.size()) << "each shot ends before the next pull";
    for (uint32_t k = 0; k < kPulls; ++k) {
        SCOPED_TRACE(k);
        const uint32_t fired = kFirst + kApart * k + 1;
        const size_t from = h.mixed[fired - 1], to = h.mixed[fired];
        EXPECT_LE(Loudest(heard, from - Samples(50), from), kQuiet) << "silence before the pull";
        if (k == 6) {
            EXPECT_LE(Loudest(heard, from, from + Samples(500)), kQuiet) << "the round that empties the gun";
            continue;
        }
        const Attack a = FindAttack(heard, from, to, k < 6 ? shot : click);
        EXPECT_GT(a.likeness, kSameSound);
    }
    EXPECT_EQ(EventsOf(gSoundBank.shot, SoundEvent::Play).size(), 6u);
    EXPECT_EQ(EventsOf(gSoundBank.click, SoundEvent::Play).size(), 2u);
}

TEST(GoldenSound, ASecondShotWhileTheFirstSoundsStartsItOver) {
    HeardRun h;
    h.run.At(3, [] { Click(0); });
    h.run.At(20, [] { Click(0); });
    h.run.At(30, [] { Click(0); });
    h.run.Run(60);
    const std::vector<int16_t>& heard = headless::MixedAudio();
    const std::vector<double> shot = Wave("SHOT", headless::AudioRate());
    const Attack first = FindAttack(heard, h.mixed[20], h.mixed[21], shot);
    const Attack second = FindAttack(heard, h.mixed[30], h.mixed[31], shot);
    EXPECT_GT(first.likeness, kSameSound);
    EXPECT_GT(second.likeness, kSameSound);
    ASSERT_LT(second.at - first.at + Samples(kAttackMs), shot.size()) << "the first was still sounding";
    // Left alone the first shot would have gone on; it is not what is heard.
    const double goneOn = Correlation(heard, second.at, shot, second.at - first.at, Samples(kAttackMs));
    EXPECT_LT(goneOn, second.likeness - 0.2);
    const std::vector<SoundEvent> stops = EventsOf(gSoundBank.shot, SoundEvent::Stop);
    ASSERT_EQ(stops.size(), 2u);
    EXPECT_FALSE(stops[0].wasPlaying);
    EXPECT_TRUE(stops[1].wasPlaying);
}

TEST(GoldenSound, TheIntroLoopsUntilTheGameStartsAndIsNotHeardInTheNextGame) {
    HeardRun h;
    const std::vector<double> intro = Wave("INTRO", headless::AudioRate());
    ASSERT_FALSE(intro.empty());
    // The intro plays longer than its wave, so it comes round once.
    constexpr uint32_t kLeave = 1000;
    h.run.At(kLeave, [] { Click(0); });
    h.run.At(kLeave + 10, [] { gGame.playFrames = kFramesPerGame - 2; });
    int32_t betweenGames = -1, secondGame = -1;
    h.run.At(kLeave + 20, [&] {
        betweenGames = gGame.state;
        Click(0);
    });
    h.run.At(kLeave + 25, [&] { secondGame = gGame.state; });
    h.run.Run(kLeave + 120);
    const std::vector<int16_t>& heard = headless::MixedAudio();
    ASSERT_GT(h.mixed[kLeave], intro.size() + Samples(100));
    const Attack start = FindAttack(heard, 0, h.mixed[1], intro);
    EXPECT_GT(start.likeness, kSameSound);
    const size_t round = start.at + intro.size();
    EXPECT_GT(FindAttack(heard, round - 4, round + 4, intro).likeness, kSameSound) << "came round";
    EXPECT_GT(Loudest(heard, h.mixed[kLeave - 1] - Samples(50), h.mixed[kLeave - 1]), 1000);
    // Silent from the stop's fade on, in the first game and the second.
    EXPECT_LE(Loudest(heard, h.mixed[kLeave + 1] + Samples(10), heard.size()), kQuiet);
    EXPECT_EQ(betweenGames, GameOver);
    EXPECT_EQ(secondGame, Playing);
    EXPECT_EQ(EventsOf(gSoundBank.intro, SoundEvent::Play).size(), 1u);
    EXPECT_EQ(EventsOf(gSoundBank.intro, SoundEvent::Stop).size(), 1u);
}

// A seed whose first draw picks the hit sound `pick` (0 HIT1, 1 HIT2, 2 HIT3).
unsigned SeedPicking(int pick) {
    for (unsigned s = 1;; ++s) {
        srand(s);
        if (rand() % 3 == pick) return s;
    }
}

struct TwoHits {
    std::vector<int16_t> heard;
    std::map<uint32_t, size_t> mixed;
};

// Two villains hit in frames 6 and 8; their hit sounds are picked in frames
// 17 and 19, each by the first draw after the seed given for it. The second
// shot's sound is cut before then, so that the hits are heard alone.
TwoHits HitTwoVillains(int firstPick, int secondPick) {
    HeardRun h(false);
    VillainFigure* second = nullptr;
    h.run.At(3, [] { Click(0); });
    h.run.At(5, [&] {
        gActors.Clear();
        auto* first = new VillainFigure;
        first->x = 200, first->y = 200, first->entryStep = 20, first->entryDirection = 2;
        second = new VillainFigure;
        second->x = 500, second->y = 300, second->entryStep = 20, second->entryDirection = 2;
        MoveMouseTo(first->x + 50 - 25, first->y + 60 - 25);
        Click(0);
    });
    h.run.At(7, [&] {
        MoveMouseTo(second->x + 50 - 25, second->y + 60 - 25);
        Click(0);
    });
    const unsigned firstSeed = SeedPicking(firstPick), secondSeed = SeedPicking(secondPick);
    h.run.At(14, [] { SoundSample::Stop(gSoundBank.shot); });
    h.run.At(16, [=] { srand(firstSeed); });
    h.run.At(18, [=] { srand(secondSeed); });
    int32_t hits = 0;
    h.run.At(10, [&] { hits = gGame.hits; });
    h.run.Run(120);
    EXPECT_EQ(hits, 2);
    return {headless::MixedAudio(), h.mixed};
}

TEST(GoldenSound, ASecondHitOfTheSameStillSoundingSampleIsDropped) {
    TwoHits t = HitTwoVillains(1, 1);
    const std::vector<double> hit2 = Wave("HIT2", headless::AudioRate());
    ASSERT_FALSE(hit2.empty());
    const Attack a = FindAttack(t.heard, t.mixed[16], t.mixed[17], hit2);
    EXPECT_GT(a.likeness, kSameSound);
    ASSERT_LT(t.mixed[19] - a.at, hit2.size()) << "the first still sounds at the second pick";
    EXPECT_LT(FindAttack(t.heard, t.mixed[18], t.mixed[19], hit2).likeness, kSameSound);
    // One HIT2 only: after its end nothing more sounds.
    EXPECT_LE(Loudest(t.heard, a.at + hit2.size() + Samples(10), t.heard.size()), kQuiet);
    EXPECT_EQ(EventsOf(gSoundBank.hit2, SoundEvent::Play).size(), 1u);
}

TEST(GoldenSound, ASecondHitOfAnotherSampleSoundsOverTheFirst) {
    TwoHits t = HitTwoVillains(1, 0);
    const std::vector<double> hit2 = Wave("HIT2", headless::AudioRate());
    const std::vector<double> hit1 = Wave("HIT1", headless::AudioRate());
    const Attack a = FindAttack(t.heard, t.mixed[16], t.mixed[17], hit2);
    EXPECT_GT(a.likeness, kSameSound);
    // HIT1 is the longer: it goes on after HIT2 has ended.
    ASSERT_GT(hit1.size(), hit2.size() + Samples(100));
    EXPECT_GT(Loudest(t.heard, a.at + hit2.size() + Samples(10), a.at + hit2.size() + Samples(100)), 1000);
    EXPECT_EQ(EventsOf(gSoundBank.hit2, SoundEvent::Play).size(), 1u);
    EXPECT_EQ(EventsOf(gSoundBank.hit1, SoundEvent::Play).size(), 1u);
}

TEST(GoldenSound, WithoutADeviceTheGameSaysSoOnceAndPlaysThroughSilently) {
    GameRun run;
    headless::SetAudioDevice(false);
    run.At(3, [] { Click(0); });
    run.At(10, [] { Click(0); });
    run.At(20, [] { Click(1); });
    run.At(30, [] { Click(0); });
    run.At(40, [] { gGame.playFrames = kFramesPerGame - 2; });
    std::vector<int32_t> states;
    run.At(50, [&] {
        states.push_back(gGame.state);
        Click(0);
    });
    run.At(55, [&] { states.push_back(gGame.state); });
    run.At(60, [] { Click(0); });
    int32_t shotsInSecondGame = -1;
    run.At(70, [&] { shotsInSecondGame = gGame.shotsFired; });
    EXPECT_EQ(run.Run(80), 0);
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].text, "Failed to initialise the sound");
    EXPECT_EQ(states, (std::vector<int32_t>{GameOver, Playing}));
    EXPECT_EQ(shotsInSecondGame, 1);
    const std::vector<int16_t>& heard = headless::MixedAudio();
    EXPECT_TRUE(std::all_of(heard.begin(), heard.end(), [](int16_t s) { return s == 0; }));
    EXPECT_TRUE(platform::inspect::SoundEvents().empty());
}

}  // namespace
