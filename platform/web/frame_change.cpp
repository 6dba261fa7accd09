// Learning where a frame changed, a 64-bit word at a time.
#include "platform/web/frame_change.h"

#include <algorithm>
#include <cstring>

namespace webhost {

namespace {

constexpr size_t kFramePixels = static_cast<size_t>(kFrameWidth) * kFrameHeight;
constexpr int kWordPixels = 4;
constexpr int kRowWords = kFrameWidth / kWordPixels;

uint64_t Word(const uint16_t* row, int i) {
    uint64_t word;
    std::memcpy(&word, row + i * kWordPixels, sizeof word);
    return word;
}

// The first and one past the last pixel of a row that differ from the row
// before, to a word; equal when none does. Most rows are the same, so they
// are told apart by one pass without a branch.
void RowChange(const uint16_t* now, const uint16_t* was, int* first, int* last) {
    uint64_t any = 0;
    for (int i = 0; i < kRowWords; ++i) any |= Word(now, i) ^ Word(was, i);
    *first = *last = 0;
    if (any == 0) return;
    int i = 0, j = kRowWords;
    while (Word(now, i) == Word(was, i)) ++i;
    while (Word(now, j - 1) == Word(was, j - 1)) --j;
    *first = i * kWordPixels;
    *last = j * kWordPixels;
}

}  // namespace

void Keep(FrameChange& frame, const uint16_t* pixels, int32_t pitchBytes, bool is555) {
    bool all = !frame.any || frame.is555 != is555;
    frame.pixels.resize(kFramePixels);
    const auto* in = reinterpret_cast<const uint8_t*>(pixels);
    for (int y = 0; y < kFrameHeight; ++y, in += pitchBytes) {
        const auto* row = reinterpret_cast<const uint16_t*>(in);
        uint16_t* kept = frame.pixels.data() + static_cast<size_t>(y) * kFrameWidth;
        int first = 0, last = kFrameWidth;
        if (!all) RowChange(row, kept, &first, &last);
        if (first == last) continue;
        std::copy(row + first, row + last, kept + first);
        frame.left = std::min(frame.left, first);
        frame.right = std::max(frame.right, last);
        frame.top = std::min(frame.top, y);
        frame.bottom = std::max(frame.bottom, y + 1);
    }
    frame.any = true;
    frame.is555 = is555;
    frame.waiting = true;
}

const Taken& Take(FrameChange& frame) {
    int width = std::max(0, frame.right - frame.left);
    int height = width > 0 ? frame.bottom - frame.top : 0;
    frame.rows.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        std::copy_n(frame.pixels.data() + static_cast<size_t>(frame.top + y) * kFrameWidth + frame.left, width,
                    frame.rows.data() + static_cast<size_t>(y) * width);
    frame.taken = {height > 0 ? frame.left : 0, height > 0 ? frame.top : 0, width, height, frame.rows.data(),
                   frame.is555 ? 1 : 0};
    frame.left = kFrameWidth, frame.right = 0, frame.top = kFrameHeight, frame.bottom = 0;
    frame.waiting = false;
    return frame.taken;
}

}  // namespace webhost
