// The small services: message boxes, debugger output, the screen, the
// pointer and the window.
#include "platform/host.h"
#include "platform/web/browser.h"
#include "platform/web/web_host.h"

namespace host {

void ShowMessageBox(const char* text, const char* caption) {
    kv_message_box(text ? text : "", caption ? caption : "");
}

void DebugOutput(const char* text) {
    if (text) kv_debug_output(text);
}

// The game's window covers the screen: here, the canvas.
void ScreenSize(int* width, int* height) {
    if (width) *width = webhost::kFrameWidth;
    if (height) *height = webhost::kFrameHeight;
}

void ShowPointer(bool visible) { kv_show_pointer(visible ? 1 : 0); }

// The canvas is the window and stays on the page.
void WindowShown(bool) {}

}  // namespace host
