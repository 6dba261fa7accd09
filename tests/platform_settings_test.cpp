// The player's settings: the text read and written back, the file kept
// safely, and what each setting does to the game through the headless host.
#include <gtest/gtest.h>
#include <windows.h>

#include <dinput.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "app/app.h"
#include "game/game.h"
#include "input/input_devices.h"
#include "app/static_objects.h"
#include "platform/faults.h"
#include "platform/host_events.h"
#include "platform/settings/active.h"
#include "platform/settings/settings_file.h"
#include "platform/settings/settings_text.h"
#include "support/game_run.h"

using namespace kalvenor_test;
namespace ps = platform::settings;

namespace {

TEST(SettingsText, ReadsEveryKindAndNamesEachBadLineKeepingItsDefault) {
    ps::Parsed p = ps::ParseSettings(
        "\xEF\xBB\xBF# mine\n"
        "mouse_speed = 2.5\n"
        "pad_speed=0.1\n"
        "swap_buttons = TRUE\n"
        "volume = 50\n"
        "volume = 150\n"  // the earlier good value stands
        "mute: yes\n"
        "game_speed = 75\r\n"
        "scale = sharp\n"
        "key_new_game = f5\n"
        "key_quit = F10\n"  // the menu's key
        "pad_fire = rightshoulder\n"
        "pad_quit = menu\n"
        "just words\n"
        "= 3\n"
        "[newer version]\n"
        "volume = 1\n"  // another section's: not ours
        "fullscreen = false\n");
    EXPECT_EQ(p.settings.mouseSpeed, 2.5);
    EXPECT_EQ(p.settings.padSpeed, 1.0);
    EXPECT_TRUE(p.settings.swapButtons);
    EXPECT_EQ(p.settings.volume, 50);
    EXPECT_FALSE(p.settings.mute);
    EXPECT_EQ(p.settings.gameSpeed, 75);
    EXPECT_EQ(p.settings.scale, ps::Scale::Sharp);
    EXPECT_EQ(p.settings.keyNewGame, "F5");
    EXPECT_EQ(p.settings.keyQuit, "Escape");
    EXPECT_EQ(p.settings.padFire, platform::kPadRightShoulder);
    EXPECT_EQ(p.settings.padQuit, platform::kPadBack);
    EXPECT_TRUE(p.settings.fullscreen);
    std::vector<int> lines;
    for (const ps::Problem& problem : p.problems) lines.push_back(problem.line);
    EXPECT_EQ(lines, (std::vector<int>{3, 6, 7, 11, 13, 14, 15}));
    EXPECT_NE(p.problems[0].what.find("pad_speed: '0.1' is not a number from 0.25 to 4"), std::string::npos)
        << p.problems[0].what;
}

TEST(SettingsText, TwoActionsOnOneKeyOrButtonPutThatGroupBack) {
    ps::Parsed keys = ps::ParseSettings("key_new_game = KeyQ\nkey_quit = keyq\n");
    EXPECT_EQ(keys.settings.keyNewGame, "F1");
    EXPECT_EQ(keys.settings.keyQuit, "Escape");
    ASSERT_EQ(keys.problems.size(), 1u);
    ps::Parsed pads = ps::ParseSettings("pad_fire = b\npad_new_game = b\nmute = true\n");
    EXPECT_EQ(pads.settings.padFire, platform::kPadA);
    EXPECT_EQ(pads.settings.padNewGame, platform::kPadStart);
    EXPECT_TRUE(pads.settings.mute);
    EXPECT_EQ(pads.problems.size(), 1u);
    // Both groups at once: each goes back, and each is named.
    ps::Parsed both = ps::ParseSettings("key_quit = F1\npad_reload = a\n");
    EXPECT_EQ(both.settings, ps::Settings{});
    EXPECT_EQ(both.problems.size(), 2u);
    // Swapped is fine.
    EXPECT_TRUE(ps::ParseSettings("key_new_game = Escape\nkey_quit = F1\n").problems.empty());
}

TEST(SettingsText, WritingKeepsCommentsUnknownKeysAndSectionsAndReadsBackTheSame) {
    const std::string old =
        "; my settings\n"
        "volume = 20\n"
        "future_thing = 7\n"
        "volume = 30\n"
        "\n"
        "[other]\n"
        "mute = whatever\n";
    ps::Settings s;
    s.volume = 60;
    s.mouseSpeed = 1.75;
    s.keyQuit = "KeyQ";
    std::string text = ps::WriteSettings(old, s);
    EXPECT_EQ(text.rfind("; my settings\nvolume = 60\nfuture_thing = 7\n\nmouse_speed = 1.75\n", 0), 0u) << text;
    EXPECT_NE(text.find("\n[other]\nmute = whatever\n"), std::string::npos) << text;
    EXPECT_LT(text.find("key_quit = KeyQ"), text.find("[other]"));
    ps::Parsed back = ps::ParseSettings(text);
    EXPECT_TRUE(back.problems.empty());
    EXPECT_EQ(back.settings, s);
    EXPECT_EQ(ps::WriteSettings(text, s), text);
    // A [section] that the readers find behind a form feed or a byte-order
    // mark still comes after the keys added.
    for (const char* opening : {"\f[other]\nmute = whatever\n", "\xEF\xBB\xBF\xEF\xBB\xBF[other]\nmute = 1\n"}) {
        std::string written = ps::WriteSettings(opening, s);
        EXPECT_EQ(ps::ParseSettings(written).settings, s) << written;
        EXPECT_EQ(ps::WriteSettings(written, s), written);
    }
    // A new file gets every key, and reads back as written.
    EXPECT_EQ(ps::ParseSettings(ps::WriteSettings("", s)).settings, s);
}

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/kalvenor-settings-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        path = folder + "/deeper/settings.ini";
    }
    void TearDown() override {
        platform::faults::ResetAll();
        std::string command = "rm -rf '" + folder + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }
    std::string Read() const {
        std::ifstream in(path);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }
    std::string folder, path;
};

TEST_F(SettingsFile, MissingIsTheDefaultsAndAChangeMakesTheFileAndItsFolder) {
    ps::SettingsFile file;
    ::testing::internal::CaptureStderr();
    ps::LoadFile(&file, path);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(file.settings, ps::Settings{});
    ps::Settings same;
    ps::ChangeFile(&file, same);
    EXPECT_EQ(access(path.c_str(), F_OK), -1) << "nothing changed, nothing written";
    ps::Settings louder;
    louder.volume = 40;
    ps::ChangeFile(&file, louder);
    EXPECT_EQ(ps::ParseSettings(Read()).settings.volume, 40);
    EXPECT_EQ(ps::Active().volume, 40);
}

TEST_F(SettingsFile, BadLinesAreNamedWithTheFileAndTheGameStarts) {
    ASSERT_EQ(mkdir((folder + "/deeper").c_str(), 0755), 0);
    std::ofstream(path) << "volume = 30\nvolume = loud\n";
    ps::SettingsFile file;
    ::testing::internal::CaptureStderr();
    ps::LoadFile(&file, path);
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "kalvenor: " + path + ":2: volume: 'loud' is not a number from 0 to 100\n");
    EXPECT_EQ(file.settings.volume, 30);
}

TEST_F(SettingsFile, ASaveInterruptedBeforeTheRenameLeavesTheOldFileWholeAndSaysSoOnce) {
    ps::SettingsFile file;
    ps::LoadFile(&file, path);
    ps::Settings first;
    first.volume = 10;
    ps::ChangeFile(&file, first);
    const std::string before = Read();
    platform::faults::FailNext("rename", 2);
    ::testing::internal::CaptureStderr();
    for (int volume : {20, 30}) {
        ps::Settings next;
        next.volume = volume;
        ps::ChangeFile(&file, next);
        EXPECT_EQ(ps::Active().volume, volume) << "the settings still act";
    }
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(Read(), before);
    EXPECT_NE(said.find("settings will not be kept"), std::string::npos);
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "said once: " << said;
    // No temporary file is left beside it.
    EXPECT_EQ(std::system(("test $(ls -A '" + folder + "/deeper' | wc -l) -eq 1").c_str()), 0);
}

TEST_F(SettingsFile, AnUnreadableFileOrAnUnwritableFolderPlaysOnAndSaysOnce) {
    // A folder where the file should be cannot be read; a file where its
    // folder should be cannot be written in, not even by root.
    ASSERT_EQ(mkdir((folder + "/deeper").c_str(), 0755), 0);
    ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
    std::ofstream(folder + "/plain") << "not a folder\n";
    for (const std::string& where : {path, folder + "/plain/settings.ini"}) {
        SCOPED_TRACE(where);
        ps::SettingsFile file;
        ::testing::internal::CaptureStderr();
        ps::LoadFile(&file, where);
        ps::Settings a, b;
        a.mute = true;
        ps::ChangeFile(&file, a);
        EXPECT_TRUE(ps::Active().mute);
        ps::ChangeFile(&file, b);
        std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("settings will not be kept"), std::string::npos) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
    }
}

TEST(SettingsPath, FollowsXdgConfigHomeThenHome) {
    std::string savedXdg = getenv("XDG_CONFIG_HOME") ? getenv("XDG_CONFIG_HOME") : "";
    std::string savedHome = getenv("HOME") ? getenv("HOME") : "";
    setenv("XDG_CONFIG_HOME", "/x/cfg", 1);
    setenv("HOME", "/home/p", 1);
    EXPECT_EQ(ps::DefaultPath(), "/x/cfg/kalvenor/settings.ini");
    setenv("XDG_CONFIG_HOME", "relative", 1);
    EXPECT_EQ(ps::DefaultPath(), "/home/p/.config/kalvenor/settings.ini");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(ps::DefaultPath(), "/home/p/.config/kalvenor/settings.ini");
    if (!savedXdg.empty()) setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
    setenv("HOME", savedHome.c_str(), 1);
}

// What each setting does to the running game.
void Use(const ps::Settings& s) { ps::Apply(s); }

TEST(SettingsInPlay, MouseSpeedScalesTheMouseAloneCarryingFractions) {
    struct Case {
        double speed;
        int moves, step, expected;
    };
    for (Case c : {Case{2.0, 1, 7, 14}, Case{1.25, 8, 1, 10}, Case{0.25, 6, 1, 1}, Case{0.5, 3, -3, -4}}) {
        SCOPED_TRACE(c.speed);
        GameRun run;
        ps::Settings s;
        s.mouseSpeed = c.speed;
        int32_t startX = 0, endX = 0, padX = 0;
        run.At(3, [&] {
            Use(s);
            startX = gInput.cursorX;
            for (int i = 0; i < c.moves; ++i) platform::HostMouseMotion(c.step, 0);
        });
        run.At(4, [&] {
            endX = gInput.cursorX;
            platform::HostMouseMotion(10, 0, platform::InputSource::Pad);
        });
        run.At(5, [&] { padX = gInput.cursorX; });
        run.Run(6);
        EXPECT_EQ(endX - startX, c.expected);
        EXPECT_EQ(padX - endX, 10) << "the pad's motion is not the mouse's";
    }
}

TEST(SettingsInPlay, GameSpeedFiftyMakesAGameTakeTwiceTheHostsTime) {
    for (int speed : {100, 50}) {
        SCOPED_TRACE(speed);
        GameRun run;
        ps::Settings s;
        s.gameSpeed = speed;
        uint32_t startedAt = 0, endedAt = 0;
        run.At(2, [&] { Use(s); });
        run.At(3, [] { Click(0); });
        run.At(4, [&] { startedAt = headless::Tick(); });
        run.EveryFrame([&](uint32_t, const headless::Frame&) {
            if (endedAt == 0 && gGame.state == GameOver) endedAt = headless::Tick();
        });
        run.Run(kFramesPerGame + 40);
        ASSERT_NE(endedAt, 0u);
        double seconds = (endedAt - startedAt) / 1000.0;
        EXPECT_NEAR(seconds, 30.0 * 100 / speed, 0.5 * 100 / speed);
    }
}

TEST(SettingsInPlay, SwappedButtonsFireWithTheRightAndReloadWithTheLeft) {
    GameRun run;
    ps::Settings s;
    s.swapButtons = true;
    int32_t afterLeft = -1, afterRight = -1, state = -1;
    run.At(2, [&] { Use(s); });
    run.At(3, [] { Click(1); });  // the right button now leaves the intro as the left did
    run.At(6, [&] { state = gGame.state; });
    run.At(8, [] { Click(1); });
    run.At(20, [&] { afterRight = gGame.roundsLeft; });
    run.At(21, [] { Click(0); });
    run.At(30, [&] { afterLeft = gGame.roundsLeft; });
    run.Run(32);
    EXPECT_EQ(state, Playing);
    EXPECT_EQ(afterRight, kRoundsPerReload - 1);
    EXPECT_EQ(afterLeft, kRoundsPerReload);
}

TEST(SettingsInPlay, AChosenKeyStartsANewGameAndFOneThenDoesNot) {
    GameRun run;
    ps::Settings s;
    s.keyNewGame = "KeyN";
    int32_t afterF1 = -1, afterN = -1, roundsAfterN = -1;
    run.At(2, [&] { Use(s); });
    run.At(3, [] { Click(0); });
    run.At(6, [] { Click(0); });  // a shot, so a new game shows in the rounds
    run.At(20, [] { TapKey(VK_F1, DIK_F1); });
    run.At(25, [&] { afterF1 = gGame.roundsLeft; });
    run.At(26, [] { TapKey('N', DIK_N); });
    run.At(30, [&] {
        afterN = gGame.state;
        roundsAfterN = gGame.roundsLeft;
    });
    run.Run(32);
    EXPECT_EQ(afterF1, kRoundsPerReload - 1) << "F1 is now just a key";
    EXPECT_EQ(afterN, Playing);
    EXPECT_EQ(roundsAfterN, kRoundsPerReload);
}

TEST(SettingsInPlay, ThePausedClockStandsStillAndGoesOnFromWhereItStood) {
    GameRun run;
    uint32_t before = 0, during = 0, after = 0, hostBefore = 0, hostAfter = 0;
    run.At(3, [&] {
        platform::HostPause(true);
        before = GetTickCount();
        hostBefore = headless::Tick();
        headless::SetTick(hostBefore + 60000);
        during = GetTickCount();
        platform::HostPause(false);
        hostAfter = headless::Tick();
        after = GetTickCount();
    });
    run.Run(5);
    EXPECT_EQ(during, before);
    EXPECT_LE(after - before, hostAfter - hostBefore - 60000 + 2);
}

}  // namespace
