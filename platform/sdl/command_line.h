// The Linux host's command line: the answers every Unix program gives before
// any window opens, and the choice of starting in a window. Nothing of it
// reaches the game, which takes no arguments.
#pragma once

#include <string_view>

namespace sdlhost {

enum class CommandAction { Play, Help, Version, Refuse };

struct CommandLine {
    CommandAction action = CommandAction::Play;
    bool windowed = false;
    std::string_view refused;  // the first argument not understood
};

inline constexpr int kExitRefused = 2;

inline constexpr const char kVersionText[] = "kalvenor " KALVENOR_VERSION "\n";
inline constexpr const char kUsageLine[] = "usage: kalvenor [--window] [--help] [--version]\n";
inline constexpr const char kHelpText[] =
    "usage: kalvenor [--window] [--help] [--version]\n"
    "A shooting gallery: shoot the villains, never the president.\n"
    "\n"
    "Options:\n"
    "  --window    start in a window instead of full screen\n"
    "  --help      show this help and exit\n"
    "  --version   show the version and exit\n"
    "\n"
    "Controls:\n"
    "  mouse         aims the crosshair\n"
    "  left button   fires; starts a game from the intro and game-over screens\n"
    "  right button  reloads seven rounds; starts a game from the game-over screen\n"
    "  any key but F1, F3, F11 and Escape\n"
    "                leaves the intro screen\n"
    "  F1            starts a new game from any screen\n"
    "  Escape        quits\n"
    "  E and P held together\n"
    "                shows the dedication\n"
    "  Alt+Enter     switches between window and full screen\n"
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
    "                quits, as Escape\n";

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
            line.windowed = true;
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
