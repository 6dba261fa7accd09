// Device-wide DirectDraw state: the live surfaces, loss and the faults tests
// inject.
#include <algorithm>
#include <vector>

#include "platform/ddraw/objects.h"
#include "platform/faults.h"
#include "platform/host_events.h"
#include "platform/inspect.h"
#include "platform/internal.h"

namespace platform::draw {
namespace {

std::vector<Surface*>& LiveList() {
    static std::vector<Surface*> live;
    return live;
}

}  // namespace

DrawState& State() {
    static DrawState state;
    return state;
}

void Register(Surface* surface) {
    LiveList().push_back(surface);
    ++State().liveSurfaces;
}

void Unregister(Surface* surface) {
    auto& live = LiveList();
    live.erase(std::remove(live.begin(), live.end(), surface), live.end());
    --State().liveSurfaces;
    if (State().primary == surface) State().primary = nullptr;
}

bool IsLive(const IDirectDrawSurface* surface) {
    if (surface == nullptr) return false;
    const auto& live = LiveList();
    return std::find(live.begin(), live.end(), surface) != live.end();
}

void LoseAll() {
    for (Surface* s : LiveList()) s->lost = true;
}

bool TakeStillDrawing() {
    if (State().stillDrawing <= 0) return false;
    --State().stillDrawing;
    return true;
}

bool RectInside(const RECT& r, int width, int height) {
    return r.left >= 0 && r.top >= 0 && r.left <= r.right && r.top <= r.bottom && r.right <= width &&
           r.bottom <= height;
}

void DescribeFormat(DDPIXELFORMAT& format, bool is555) {
    format.dwSize = sizeof(DDPIXELFORMAT);
    format.dwFlags = DDPF_RGB;
    format.dwFourCC = 0;
    format.dwRGBBitCount = kModeBits;
    format.dwRBitMask = is555 ? 0x7C00 : 0xF800;
    format.dwGBitMask = is555 ? 0x03E0 : 0x07E0;
    format.dwBBitMask = 0x001F;
    format.dwRGBAlphaBitMask = 0;
}

}  // namespace platform::draw

namespace platform {

void DrawOnForeground(bool active) {
    draw::State().foreground = active;
    if (!active) draw::LoseAll();
}

void ResetDrawFaults() {
    auto& s = draw::State();
    s.foreground = true;
    s.layout555 = false;
    s.refusedRestores = 0;
    s.stillDrawing = 0;
}

const uint16_t* LastFrame(int32_t* pitchBytes, bool* is555) {
    const draw::Surface* primary = draw::State().primary;
    if (primary == nullptr || !primary->presented) return nullptr;
    if (pitchBytes) *pitchBytes = primary->buffer.pitch;
    if (is555) *is555 = primary->is555;
    return primary->buffer.memory.get();
}

namespace faults {

void LoseAllSurfaces() { draw::LoseAll(); }
void RefuseRestore(int count) { draw::State().refusedRestores = std::max(count, 0); }
void StillDrawing(int count) { draw::State().stillDrawing = std::max(count, 0); }
void UseLayout555(bool is555) { draw::State().layout555 = is555; }

}  // namespace faults

namespace inspect {

int LiveSurfaces() { return draw::State().liveSurfaces; }

}  // namespace inspect

}  // namespace platform
