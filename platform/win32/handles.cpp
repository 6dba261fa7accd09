// Cursors, icons, the stock brushes and the module handle: handles the game
// passes around but never looks into.
#include <cstring>

#include "platform/host.h"
#include "platform/win32/resource_table.h"
#include "platform/win32/state.h"

namespace {

constexpr uint16_t kGroupIconType = 14;
constexpr ULONG_PTR kArrowId = 32512;
constexpr int kStockBrushCount = 6;  // WHITE_BRUSH (0) to NULL_BRUSH (5)

HICON__ arrowCursor;
HICON__ programIcon;
HBRUSH__ stockBrushes[kStockBrushCount];
HINSTANCE__ programModule;

HCURSOR currentCursor = &arrowCursor;

bool HasGroupIcon(uint16_t id) {
    for (const platform::ResourceEntry* e = platform::kResources; e->typeId != 0 || e->typeName; ++e)
        if (e->typeName == nullptr && e->typeId == kGroupIconType && e->name == nullptr && e->id == id)
            return true;
    return false;
}

}  // namespace

namespace platform::win32 {
void ResetCursor() {
    currentCursor = &arrowCursor;
    host::ShowPointer(true);
}
}  // namespace platform::win32

extern "C" {

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
    // The program is its only module.
    return lpModuleName == nullptr ? &programModule : nullptr;
}

// Only the program's own icon group exists; system icons are never asked for.
HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) {
    if (hInstance == nullptr || !IS_INTRESOURCE(lpIconName)) return nullptr;
    return HasGroupIcon(static_cast<uint16_t>(reinterpret_cast<ULONG_PTR>(lpIconName))) ? &programIcon
                                                                                          : nullptr;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
    if (hInstance != nullptr || reinterpret_cast<ULONG_PTR>(lpCursorName) != kArrowId) return nullptr;
    return &arrowCursor;
}

HCURSOR WINAPI SetCursor(HCURSOR hCursor) {
    HCURSOR previous = currentCursor;
    currentCursor = hCursor;
    host::ShowPointer(hCursor != nullptr);
    return previous;
}

HGDIOBJ WINAPI GetStockObject(int i) {
    if (i < 0 || i >= kStockBrushCount) return nullptr;
    return &stockBrushes[i];
}

}  // extern "C"
