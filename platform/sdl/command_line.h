// The Linux host's command line: the answers every Unix program gives before
// any window opens, the choice of window or full screen for one run, and
// which settings file to use. Nothing of it reaches the game, which takes no
// arguments.
#pragma once

#include <string_view>

namespace sdlhost {

enum class CommandAction { Play, Help, Version, Refuse };
// The screen for this run: as the settings say, or as the command line asks.
enum class ScreenChoice { Setting, Window, Fullscreen };

struct CommandLine {
    CommandAction action = CommandAction::Play;
    ScreenChoice screen = ScreenChoice::Setting;
    std::string_view settingsPath;  // empty: the default file
    std::string_view refused;  // the first argument not understood
};

inline constexpr int kExitRefused = 2;

inline constexpr const char kVersionText[] = "kalvenor " KALVENOR_VERSION "\n";
inline constexpr const char kUsageLine[] =
    "usage: kalvenor [--window | --fullscreen] [--settings FILE] [--help] [--version]\n";
inline constexpr const char kHelpText[] =
    "usage: kalvenor [--window | --fullscreen] [--settings FILE] [--help] [--version]\n"
    "A shooting gallery: shoot the villains, never the president.\n"
    "\n"
    "Options:\n"
    "  --window         start in a window this once, whatever the settings say\n"
    "  --fullscreen     start full screen this once, whatever the settings say\n"
    "  --settings FILE  read and save the settings in FILE\n"
    "  --help           show this help and exit\n"
    "  --version        show the version and exit\n"
    "\n"
    "Settings are kept in $XDG_CONFIG_HOME/kalvenor/settings.ini\n"
    "(~/.config/kalvenor/settings.ini when XDG_CONFIG_HOME is unset).\n"
    "F10, or a short press of the controller's Back, opens the settings menu.\n"
    "\n"
    "Controls:\n"
    "  mouse         aims the crosshair\n"
    "  left button   fires; starts a game from the intro and game-over screens\n"
    "  right button  reloads seven rounds; starts a game from the game-over screen\n"
    "  any key but F1, F3, F11 and Escape\n"
    "                leaves the intro screen\n"
    "  F1            starts a new game from any screen (or the key chosen)\n"
    "  Escape        quits (or the key chosen)\n"
    "  F10           opens the settings menu, which pauses the game\n"
    "  E and P held together\n"
    "                shows the dedication\n"
    "  Alt+Enter     switches between window and full screen for this run\n"
    "\n"
    "A controller (the first one plugged in):\n"
    "  either stick  aims; hold the left trigger for fine aim\n"
    "  d-pad         nudges the crosshair one pixel per press\n"
    "  A, right trigger\n"
    "                fire, as the left button\n"
    "  X, right shoulder\n"
    "                reload, as the right button\n"
    "  Start         starts a new game from any screen, as F1\n"
    "  Back held for a second\n"
    "                quits, as Escape\n"
    "  Back pressed briefly\n"
    "                opens the settings menu\n"
    "  (the settings can give the actions other keys and buttons)\n";

// An argument not understood wins over every other, so a mistyped line
// never starts the game; then help, then the version.
inline CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    bool help = false, version = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--help") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else if (arg == "--window") {
            line.screen = ScreenChoice::Window;
        } else if (arg == "--fullscreen") {
            line.screen = ScreenChoice::Fullscreen;
        } else if (arg == "--settings" && i + 1 < argc && argv[i + 1][0] != '\0') {
            line.settingsPath = argv[++i];
        } else {
            line.action = CommandAction::Refuse;
            line.refused = arg;
            return line;
        }
    }
    if (help) line.action = CommandAction::Help;
    else if (version) line.action = CommandAction::Version;
    return line;
}

}  // namespace sdlhost
