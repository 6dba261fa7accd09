// The thread's message queue: posting, peeking, getting and dispatching, and
// the default window procedure.
#include "platform/host.h"
#include "platform/win32/state.h"

using namespace platform::win32;

namespace {

// The low four bits of a system command are Windows' own.
constexpr WPARAM kSysCommandMask = 0xFFF0;

bool InRange(UINT message, UINT lowest, UINT highest) {
    if (lowest == 0 && highest == 0) return true;
    return message >= lowest && message <= highest;
}

bool Matches(const MSG& msg, HWND hWnd, UINT lowest, UINT highest) {
    if (hWnd != nullptr && msg.hwnd != hWnd) return false;
    return InRange(msg.message, lowest, highest);
}

MSG QuitMessage() {
    MSG msg = {};
    msg.message = WM_QUIT;
    msg.wParam = static_cast<WPARAM>(Queue().quitCode);
    msg.time = GetTickCount();
    return msg;
}

// The next message that passes the filter, taken out when `remove`. WM_QUIT
// comes only once no posted message is ahead of it, as in Windows.
bool NextMessage(LPMSG out, HWND hWnd, UINT lowest, UINT highest, bool remove) {
    MessageQueue& queue = Queue();
    for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
        if (!Matches(*it, hWnd, lowest, highest)) continue;
        if (out != nullptr) *out = *it;
        if (remove) queue.posted.erase(it);
        return true;
    }
    if (queue.quitPending && InRange(WM_QUIT, lowest, highest)) {
        if (out != nullptr) *out = QuitMessage();
        if (remove) queue.quitPending = false;
        return true;
    }
    return false;
}

}  // namespace

extern "C" {

WINBOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd != nullptr && !IsLiveWindow(hWnd)) return FALSE;
    MSG msg = {};
    msg.hwnd = hWnd;
    msg.message = Msg;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetTickCount();
    Queue().posted.push_back(msg);
    return TRUE;
}

VOID WINAPI PostQuitMessage(int nExitCode) {
    Queue().quitPending = true;
    Queue().quitCode = nExitCode;
}

WINBOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                            UINT wRemoveMsg) {
    host::PumpEvents();
    bool remove = (wRemoveMsg & PM_REMOVE) != 0;
    return NextMessage(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, remove) ? TRUE : FALSE;
}

// Waits, pumping the host, until a message arrives; 0 for WM_QUIT.
WINBOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    MSG msg = {};
    for (;;) {
        host::PumpEvents();
        if (NextMessage(&msg, hWnd, wMsgFilterMin, wMsgFilterMax, true)) break;
    }
    if (lpMsg != nullptr) *lpMsg = msg;
    return msg.message == WM_QUIT ? FALSE : TRUE;
}

// Characters are never asked for, so no WM_CHAR is made; the result tells
// whether the message was a key message, as in Windows.
WINBOOL WINAPI TranslateMessage(CONST MSG* lpMsg) {
    if (lpMsg == nullptr) return FALSE;
    UINT m = lpMsg->message;
    return (m == WM_KEYDOWN || m == WM_KEYUP || m == WM_SYSKEYDOWN || m == WM_SYSKEYUP) ? TRUE
                                                                                         : FALSE;
}

LRESULT WINAPI DispatchMessageA(CONST MSG* lpMsg) {
    if (lpMsg == nullptr) return 0;
    return Send(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

// Alt+F4 becomes the system menu's Close, and Close becomes WM_CLOSE, each
// sent to the window procedure first as Windows does; WM_CLOSE destroys.
LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    switch (Msg) {
        case WM_SYSKEYDOWN:
            if (wParam == VK_F4 && (HIWORD(lParam) & KF_ALTDOWN) != 0) Send(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case WM_SYSCOMMAND:
            if ((wParam & kSysCommandMask) == SC_CLOSE) Send(hWnd, WM_CLOSE, 0, 0);
            break;
        case WM_CLOSE: DestroyWindow(hWnd); break;
        default: break;
    }
    return 0;
}

}  // extern "C"
