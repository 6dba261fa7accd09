// Start-up: the window, then the sound, the display, the font and the input
// devices, and the intro music. Each failing part has already told the user.
#include <cstring>

#include "app/app.h"
#include "app/static_objects.h"
#include "display/display.h"
#include "game/game.h"
#include "input/input_devices.h"
#include "sound/sound_bank.h"
#include "text/bitmap_font.h"

namespace {

constexpr char kAppName[] = "Kalvenor";
constexpr int kIconGroup = 101;

int RegisterWindowClass(HINSTANCE hInstance) {
    WNDCLASSEXA wc;
    std::memset(&wc, 0, sizeof(wc));
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(kIconGroup));
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszMenuName = kAppName;
    wc.lpszClassName = kAppName;
    wc.hIconSm = wc.hIcon;
    return RegisterClassExA(&wc) != 0;
}

}  // namespace

int InitApplication(HINSTANCE hInstance, int nCmdShow) {
    if (!RegisterWindowClass(hInstance)) return 0;
    HWND hwnd = CreateWindowExA(0, kAppName, kAppName, WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                GetSystemMetrics(SM_CYSCREEN), NULL, NULL, hInstance, NULL);
    if (hwnd == NULL) return 0;
    ShowWindow(hwnd, nCmdShow);
    UpdateWindow(hwnd);
    SetFocus(hwnd);
    // Without sound the game still runs; the bank has shown its own message.
    gSoundBank.Create(hwnd);
    if (!gDisplay.Create(hwnd)) return 0;
    if (!gFont.Create(hwnd)) return 0;
    if (!gInput.Create(hwnd)) return 0;
    StartIntroSound();
    return 1;
}
