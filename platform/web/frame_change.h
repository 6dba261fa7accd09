// The newest frame the game handed the page, and the rectangle that changed
// in it since the page last took one: most of a frame is the same desert as
// the one before, so only that much is converted and painted.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/web/web_host.h"

namespace webhost {

// What the page takes, read there as six 32-bit words: the rectangle, its
// rows one after another, and the layout (1 for 5-5-5).
struct Taken {
    int32_t x = 0, y = 0, width = 0, height = 0;
    const uint16_t* rows = nullptr;
    int32_t is555 = 0;
};

struct FrameChange {
    std::vector<uint16_t> pixels;  // the newest frame, row after row
    bool any = false;
    bool is555 = false;
    bool waiting = false;  // not yet taken by the page
    int left = kFrameWidth, right = 0, top = kFrameHeight, bottom = 0;
    std::vector<uint16_t> rows;
    Taken taken;
};

// Keeps an 800 x 600 frame, copying only what differs from the last one and
// so learning where it changed. The first frame, and one in another layout,
// changed everywhere.
void Keep(FrameChange& frame, const uint16_t* pixels, int32_t pitchBytes, bool is555);
// The rectangle changed since the last take, to four pixels across, with
// its rows; width 0 when nothing did.
const Taken& Take(FrameChange& frame);

}  // namespace webhost
