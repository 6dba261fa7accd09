#include <windows.h>

#include <cstdio>

#include "platform/sdl/host_state.h"

int main() {
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
