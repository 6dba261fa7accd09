// The entry point and the message loop: every waiting message is handled
// first, and a game frame runs whenever none waits.
#include "app/app.h"
#include "app/static_objects.h"
#include "game/game.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nShowCmd) {
    if (!InitApplication(hInstance, nShowCmd)) return 0;
    MSG msg;
    for (;;) {
        if (PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            if (!GetMessageA(&msg, NULL, 0, 0)) return static_cast<int>(msg.wParam);
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else {
            gGame.Frame();
        }
    }
}
