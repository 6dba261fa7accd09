#include <windows.h>

#include "platform/host.h"
#include "platform/web/browser.h"

int main() {
    int exitCode = WinMain(GetModuleHandleA(NULL), NULL, const_cast<LPSTR>(""), SW_SHOWDEFAULT);
    host::CloseAudio();
    kv_game_ended(exitCode);
    return exitCode;
}
