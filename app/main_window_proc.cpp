// The window procedure: the game's keys, the end of the window, and the
// hidden pointer.
#include "app/app.h"
#include "app/static_objects.h"
#include "display/display.h"
#include "game/actor_list.h"
#include "game/game.h"

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            PostMessageA(hwnd, WM_CLOSE, 0, 0);
            return 0;
        }
        if (wParam == VK_F1) {
            gGame.NewGame();
            gGame.state = Playing;
        } else if (wParam != VK_F3 && wParam != VK_F11) {
            anyKeyDown = 1;
        }
        break;
    case WM_KEYUP:
        anyKeyDown = 0;
        break;
    case WM_DESTROY:
        gDisplay.ReleaseAll();
        gActors.Clear();
        PostQuitMessage(0);
        break;
    case WM_SETCURSOR:
        SetCursor(NULL);
        return TRUE;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
