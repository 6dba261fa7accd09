// Showing a frame: the game's frame is kept as it was handed over, and the
// page takes the newest one when it can paint it: only the rectangle that
// changed since the frame it took last, most of a frame being the same
// desert as the one before.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/host.h"
#include "platform/web/browser.h"
#include "platform/web/touch_tap.h"
#include "platform/web/web_host.h"

namespace webhost {

namespace {

constexpr size_t kFramePixels = static_cast<size_t>(kFrameWidth) * kFrameHeight;
// Pixels are compared this many at a time, as one 64-bit word.
constexpr int kWordPixels = 4;

// The first and one past the last pixel of a row that differ from the row
// before, to a word; equal when none does. Most rows are the same, so they
// are told apart by one pass without a branch.
uint64_t Word(const uint16_t* row, int i) {
    uint64_t word;
    std::memcpy(&word, row + i * kWordPixels, sizeof word);
    return word;
}

void RowChange(const uint16_t* now, const uint16_t* was, int* first, int* last) {
    constexpr int kWords = kFrameWidth / kWordPixels;
    uint64_t any = 0;
    for (int i = 0; i < kWords; ++i) any |= Word(now, i) ^ Word(was, i);
    *first = *last = 0;
    if (any == 0) return;
    int i = 0, j = kWords;
    while (Word(now, i) == Word(was, i)) ++i;
    while (Word(now, j - 1) == Word(was, j - 1)) --j;
    *first = i * kWordPixels;
    *last = j * kWordPixels;
}

// What the page takes, as it reads it: the rectangle, where its rows lie
// one after another, and the layout.
struct Taken {
    int32_t x, y, width, height;
    int32_t rows;
    int32_t is555;
};

// The newest frame handed over, row after row, and the rectangle that
// changed in it since the page last took one.
struct Frame {
    std::vector<uint16_t> pixels;
    bool any = false;
    bool is555 = false;
    bool waiting = false;  // not yet taken by the page
    int left = kFrameWidth, right = 0, top = kFrameHeight, bottom = 0;
    std::vector<uint16_t> rows;
    Taken taken{};

    // Only what differs is copied, and so learnt.
    void Keep(const uint16_t* from, int32_t pitchBytes, bool for555) {
        bool all = !any || is555 != for555;
        pixels.resize(kFramePixels);
        const auto* in = reinterpret_cast<const uint8_t*>(from);
        for (int y = 0; y < kFrameHeight; ++y, in += pitchBytes) {
            const auto* row = reinterpret_cast<const uint16_t*>(in);
            uint16_t* kept = pixels.data() + static_cast<size_t>(y) * kFrameWidth;
            int first = 0, last = kFrameWidth;
            if (!all) RowChange(row, kept, &first, &last);
            if (first == last) continue;
            std::copy(row + first, row + last, kept + first);
            left = std::min(left, first);
            right = std::max(right, last);
            top = std::min(top, y);
            bottom = std::max(bottom, y + 1);
        }
        any = true;
        is555 = for555;
        waiting = true;
    }

    void Take() {
        int width = std::max(0, right - left);
        int height = width > 0 ? bottom - top : 0;
        rows.resize(static_cast<size_t>(width) * height);
        for (int y = 0; y < height; ++y)
            std::copy_n(pixels.data() + static_cast<size_t>(top + y) * kFrameWidth + left, width,
                        rows.data() + static_cast<size_t>(y) * width);
        taken = {left, top, width, height, static_cast<int32_t>(reinterpret_cast<uintptr_t>(rows.data())),
                 is555 ? 1 : 0};
        left = kFrameWidth, right = 0, top = kFrameHeight, bottom = 0;
        waiting = false;
    }
};

Frame gFrame;

}  // namespace

}  // namespace webhost

namespace host {

void PresentFrame(const uint16_t* pixels, int32_t pitchBytes, int width, int height, bool is555) {
    if (!pixels || width != webhost::kFrameWidth || height != webhost::kFrameHeight || pitchBytes < width * 2) return;
    webhost::gFrame.Keep(pixels, pitchBytes, is555);
    kv_present();
    webhost::TapFramePresented();
    webhost::FramePresented();
}

}  // namespace host

// The page's call when it can paint, while the game waits: the newest
// frame's change (x, y, width, height, where its rows are, 1 for 5-5-5),
// with width 0 when nothing changed; null when no frame came since.
extern "C" const int32_t* kv_frame_take() {
    using webhost::gFrame;
    if (!gFrame.waiting) return nullptr;
    gFrame.Take();
    return &gFrame.taken.x;
}
