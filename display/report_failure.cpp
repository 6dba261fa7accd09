// ReportFailure: tell the user which start-up step failed, then tear down.
#include <cstdio>

#include "app/static_objects.h"
#include "display/display.h"

namespace {

constexpr size_t kMessageBytes = 250;

int Report(const char* operation, bool withCode) {
    char message[kMessageBytes];
    std::snprintf(message, sizeof(message), "Execution FAILED on %s%s", operation ? operation : "",
                  withCode ? " caused an error." : "");
    Display& display = ActiveDisplay ? *ActiveDisplay : gDisplay;
    display.ReleaseAll();
    MessageBoxA(display.hWnd, message, "Kalvenor", MB_OK);
    DestroyWindow(display.hWnd);
    return 0;
}

}  // namespace

int ReportFailure(const char* operation) { return Report(operation, false); }

int ReportFailure(HRESULT, const char* operation) { return Report(operation, true); }
