#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/sdl/command_line.h"
#include "platform/sdl/host_state.h"

namespace {

// Help and version go to standard output; a full disk or a closed pipe
// there is a failure, not a silent success.
int Answer(const char* text) {
    std::fputs(text, stdout);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    // The command line is settled before SDL starts: a mistyped option
    // opens no window and plays no sound.
    sdlhost::CommandLine line = sdlhost::ParseCommandLine(argc, argv);
    switch (line.action) {
        case sdlhost::CommandAction::Help:
            return Answer(sdlhost::kHelpText);
        case sdlhost::CommandAction::Version:
            return Answer(sdlhost::kVersionText);
        case sdlhost::CommandAction::Refuse:
            std::fprintf(stderr, "kalvenor: unknown option '%.*s'\n%s", static_cast<int>(line.refused.size()),
                         line.refused.data(), sdlhost::kUsageLine);
            return sdlhost::kExitRefused;
        case sdlhost::CommandAction::Play:
            break;
    }
    sdlhost::HostState& s = sdlhost::State();
    std::string path = line.settingsPath.empty() ? platform::settings::DefaultPath() : std::string(line.settingsPath);
    platform::settings::LoadFile(&s.settings, path);
    s.windowed = line.screen == sdlhost::ScreenChoice::Window ||
                 (line.screen == sdlhost::ScreenChoice::Setting && !s.settings.settings.fullscreen);
    // Without a screen there is no game to show; nothing to ask the player.
    if (!sdlhost::EnsureVideo()) {
        std::fprintf(stderr, "kalvenor: needs a graphical display\n");
        return 1;
    }
    int exitCode = WinMain(GetModuleHandleA(NULL), NULL, const_cast<LPSTR>(""), SW_SHOWDEFAULT);
    // Stop the audio callback before the sound bank's exit action frees
    // the buffers it mixes.
    sdlhost::Shutdown();
    return exitCode;
}
