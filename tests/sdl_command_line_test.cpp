// The Linux host's options: what each argument list asks for, and that the
// help names every option it takes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sdl/command_line.h"

namespace {

using sdlhost::CommandAction;
using sdlhost::CommandLine;

CommandLine Parse(std::vector<const char*> args) {
    args.insert(args.begin(), "kalvenor");
    return sdlhost::ParseCommandLine(static_cast<int>(args.size()), args.data());
}

TEST(SdlCommandLine, NoArgumentsFollowsTheSettingsAndTheScreenOptionsOverrideThem) {
    using sdlhost::ScreenChoice;
    EXPECT_EQ(Parse({}).action, CommandAction::Play);
    EXPECT_EQ(Parse({}).screen, ScreenChoice::Setting);
    EXPECT_TRUE(Parse({}).settingsPath.empty());
    CommandLine windowed = Parse({"--window"});
    EXPECT_EQ(windowed.action, CommandAction::Play);
    EXPECT_EQ(windowed.screen, ScreenChoice::Window);
    EXPECT_EQ(Parse({"--window", "--window"}).screen, ScreenChoice::Window);
    EXPECT_EQ(Parse({"--window", "--fullscreen"}).screen, ScreenChoice::Fullscreen);
    CommandLine other = Parse({"--settings", "/tmp/k.ini", "--fullscreen"});
    EXPECT_EQ(other.action, CommandAction::Play);
    EXPECT_EQ(other.settingsPath, "/tmp/k.ini");
    // A --settings without its file is refused, not read as a file named "".
    EXPECT_EQ(Parse({"--settings"}).action, CommandAction::Refuse);
    EXPECT_EQ(Parse({"--settings", ""}).action, CommandAction::Refuse);
}

TEST(SdlCommandLine, HelpComesBeforeVersionInAnyOrder) {
    EXPECT_EQ(Parse({"--help"}).action, CommandAction::Help);
    EXPECT_EQ(Parse({"--version"}).action, CommandAction::Version);
    EXPECT_EQ(Parse({"--version", "--help"}).action, CommandAction::Help);
    EXPECT_EQ(Parse({"--window", "--version"}).action, CommandAction::Version);
}

TEST(SdlCommandLine, AnythingElseIsRefusedEvenBesideGoodOptions) {
    const std::vector<const char*> bad = {"-h", "--Help", "--help=1", "--", "-", "", "game.sav", "--windowed"};
    for (const char* arg : bad) {
        CommandLine line = Parse({"--window", arg});
        EXPECT_EQ(line.action, CommandAction::Refuse) << "'" << arg << "'";
        EXPECT_EQ(line.refused, arg);
    }
    CommandLine first = Parse({"--help", "-x", "-y"});
    EXPECT_EQ(first.action, CommandAction::Refuse);
    EXPECT_EQ(first.refused, "-x");
}

TEST(SdlCommandLine, HelpStartsWithTheUsageLineAndNamesEveryOptionAndControl) {
    std::string help = sdlhost::kHelpText;
    EXPECT_EQ(help.rfind(sdlhost::kUsageLine, 0), 0u);
    for (const char* word : {"--window", "--fullscreen", "--settings FILE", "settings.ini", "F10", "--help", "--version", "mouse", "left button", "right button", "F1",
                             "Escape", "E and P", "Alt+Enter",
                             "controller", "either stick", "right trigger", "Start", "Back held"})
        EXPECT_NE(help.find(word), std::string::npos) << word;
    EXPECT_STREQ(sdlhost::kVersionText, "kalvenor 1.0\n");
}

}  // namespace
