// The window class and the one window: registration, creation, showing and
// destruction, with the messages Windows sends along the way.
#include <cctype>
#include <cstring>

#include "platform/faults.h"
#include "platform/host.h"
#include "platform/win32/state.h"

namespace platform::win32 {
namespace {

constexpr ATOM kClassAtom = 0xC001;  // where Windows starts numbering registered classes
constexpr LPARAM kCursorOverClient = 1 | (0x0200 << 16);  // HTCLIENT, WM_MOUSEMOVE

WindowClass theClass;
Window theWindow;
MessageQueue theQueue;
HWND__ windowHandle;

// A class named by its atom or by its name.
bool IsRegisteredClass(LPCSTR className) {
    if (!theClass.registered || className == nullptr) return false;
    if (IS_INTRESOURCE(className)) return reinterpret_cast<ULONG_PTR>(className) == kClassAtom;
    return SameName(className, theClass.name);
}

}  // namespace

WindowClass& RegisteredClass() { return theClass; }
Window& TheWindow() { return theWindow; }
MessageQueue& Queue() { return theQueue; }

HWND LiveWindow() { return theWindow.alive ? &windowHandle : nullptr; }
bool IsLiveWindow(HWND hwnd) { return hwnd != nullptr && hwnd == LiveWindow(); }

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsLiveWindow(hwnd) || theWindow.procedure == nullptr) return 0;
    return theWindow.procedure(hwnd, message, wParam, lParam);
}

bool SameName(const char* a, const char* b) {
    for (;; ++a, ++b) {
        int ca = std::toupper(static_cast<unsigned char>(*a));
        int cb = std::toupper(static_cast<unsigned char>(*b));
        if (ca != cb) return false;
        if (ca == 0) return true;
    }
}

void ResetWindowing() {
    theClass = WindowClass();
    theWindow = Window();
    theQueue = MessageQueue();
    ResetCursor();
    ResetHostKeys();
}

}  // namespace platform::win32

using namespace platform::win32;

extern "C" {

ATOM WINAPI RegisterClassExA(CONST WNDCLASSEXA* wc) {
    if (platform::faults::Take("RegisterClassExA")) return 0;
    if (wc == nullptr || wc->cbSize != sizeof(WNDCLASSEXA) || wc->lpfnWndProc == nullptr) return 0;
    LPCSTR name = wc->lpszClassName;
    if (name == nullptr || IS_INTRESOURCE(name) || std::strlen(name) >= sizeof(WindowClass::name))
        return 0;
    WindowClass& cls = RegisteredClass();
    if (cls.registered) return 0;  // only the game's own class exists
    cls.registered = true;
    std::strcpy(cls.name, name);
    cls.procedure = wc->lpfnWndProc;
    cls.instance = wc->hInstance;
    return kClassAtom;
}

HWND WINAPI CreateWindowExA(DWORD, LPCSTR lpClassName, LPCSTR, DWORD, int, int, int, int, HWND,
                            HMENU, HINSTANCE hInstance, LPVOID) {
    if (platform::faults::Take("CreateWindowExA")) return nullptr;
    Window& window = TheWindow();
    if (!IsRegisteredClass(lpClassName) || window.alive) return nullptr;
    window = Window();
    window.alive = true;
    window.procedure = RegisteredClass().procedure;
    window.instance = hInstance;
    return LiveWindow();
}

WINBOOL WINAPI ShowWindow(HWND hWnd, int) {
    if (!IsLiveWindow(hWnd)) return FALSE;
    Window& window = TheWindow();
    bool wasVisible = window.visible;
    window.visible = true;
    host::WindowShown(true);
    // The pointer is over a full-screen window at once.
    Send(hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hWnd), kCursorOverClient);
    return wasVisible ? TRUE : FALSE;
}

WINBOOL WINAPI UpdateWindow(HWND hWnd) {
    if (!IsLiveWindow(hWnd)) return FALSE;
    if (TheWindow().visible) Send(hWnd, WM_PAINT, 0, 0);
    return TRUE;
}

HWND WINAPI SetFocus(HWND hWnd) {
    // The one window always has the focus while it lives.
    return IsLiveWindow(hWnd) ? hWnd : nullptr;
}

WINBOOL WINAPI DestroyWindow(HWND hWnd) {
    Window& window = TheWindow();
    if (!IsLiveWindow(hWnd) || window.destroying) return FALSE;
    window.destroying = true;
    Send(hWnd, WM_DESTROY, 0, 0);
    window.alive = false;
    window.destroying = false;
    window.visible = false;
    // Messages posted to a destroyed window are never delivered.
    std::deque<MSG>& posted = Queue().posted;
    std::erase_if(posted, [hWnd](const MSG& msg) { return msg.hwnd == hWnd; });
    host::WindowShown(false);
    return TRUE;
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex) {
    if (!IsLiveWindow(hWnd) || nIndex != GWLP_HINSTANCE) return 0;
    return reinterpret_cast<LONG_PTR>(TheWindow().instance);
}

int WINAPI GetSystemMetrics(int nIndex) {
    int width = 0;
    int height = 0;
    host::ScreenSize(&width, &height);
    if (nIndex == SM_CXSCREEN) return width;
    if (nIndex == SM_CYSCREEN) return height;
    return 0;
}

}  // extern "C"
