// Showing a frame: the game's frame is kept as it was handed over, and the
// page takes the newest one when it can paint it: only the rectangle that
// changed since the frame it took last (frame_change.h).
#include <cstdint>

#include "platform/host.h"
#include "platform/web/browser.h"
#include "platform/web/frame_change.h"
#include "platform/web/touch_tap.h"
#include "platform/web/web_host.h"

namespace webhost {

namespace {

FrameChange gFrame;

}  // namespace

}  // namespace webhost

namespace host {

void PresentFrame(const uint16_t* pixels, int32_t pitchBytes, int width, int height, bool is555) {
    if (!pixels || width != webhost::kFrameWidth || height != webhost::kFrameHeight || pitchBytes < width * 2) return;
    webhost::Keep(webhost::gFrame, pixels, pitchBytes, is555);
    kv_present();
    webhost::TapFramePresented();
    webhost::FramePresented();
}

}  // namespace host

// The page's call when it can paint, while the game waits: the newest
// frame's change (webhost::Taken, a 32-bit address for its rows), or null
// when no frame came since.
extern "C" const webhost::Taken* kv_frame_take() {
    if (!webhost::gFrame.waiting) return nullptr;
    return &webhost::Take(webhost::gFrame);
}
