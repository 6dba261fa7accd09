#include <windows.h>

#include "platform/sdl/host_state.h"

int main() {
    int exitCode = WinMain(GetModuleHandleA(NULL), NULL, const_cast<LPSTR>(""), SW_SHOWDEFAULT);
    // Stop the audio callback before the sound bank's exit action frees
    // the buffers it mixes.
    sdlhost::Shutdown();
    return exitCode;
}
