// The tick, message boxes and debugger output, all answered by the host.
#include "platform/host.h"
#include "platform/win32/state.h"

extern "C" {

VOID WINAPI OutputDebugStringA(LPCSTR lpOutputString) {
    if (lpOutputString != nullptr) host::DebugOutput(lpOutputString);
}

int WINAPI MessageBoxA(HWND, LPCSTR lpText, LPCSTR lpCaption, UINT) {
    // Windows captions a box "Error" when none is given.
    host::ShowMessageBox(lpText != nullptr ? lpText : "", lpCaption != nullptr ? lpCaption : "Error");
    return IDOK;
}

}  // extern "C"
